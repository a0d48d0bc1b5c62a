#include <QSignalSpy>
#include <QTest>

#include "app/controls/AccelLabel.h"

using velmora::app::AccelLabel;

// A caption label's click is a press of the left button, once per click.
class TestAccelLabel : public QObject {
    Q_OBJECT

private slots:
    void aClickIsAPressOfTheLeftButton_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left") << Qt::LeftButton << 1;
        QTest::newRow("right") << Qt::RightButton << 0;
        QTest::newRow("middle") << Qt::MiddleButton << 0;
    }

    void aClickIsAPressOfTheLeftButton()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, clicks);
        AccelLabel label;
        label.setText(QStringLiteral("&Choose an Object to edit:"));
        QSignalSpy clicked(&label, &AccelLabel::clicked);
        QTest::mousePress(&label, button);
        QCOMPARE(clicked.count(), clicks);
        QTest::mouseRelease(&label, button);
        QCOMPARE(clicked.count(), clicks);
    }

    void aDoubleClickIsOneClick()
    {
        AccelLabel label;
        QSignalSpy clicked(&label, &AccelLabel::clicked);
        // The press before a double click is the click; the double click event adds none.
        QTest::mouseClick(&label, Qt::LeftButton);
        QTest::mouseDClick(&label, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }
};

QTEST_MAIN(TestAccelLabel)
#include "test_accel_label.moc"
