#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "support/MainFormFixture.h"

using namespace velmora;
using testing::Driver;
using testing::MainFormFixture;

Q_DECLARE_METATYPE(velmora::testing::Driver)

// Someone else stores a new name for the structure this window shows while
// its user types another: leaving the field asks whose change stays, and the
// typed name stays in the field until the user has chosen.
class TestMainFormPostConflict : public QObject {
    Q_OBJECT

private slots:
    void theUserChoosesWhoseChangeStays_data()
    {
        QTest::addColumn<Driver>("driver");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("kept");
        for (Driver driver : {Driver::Embedded, Driver::Postgres}) {
            const QByteArray name = testing::driverName(driver);
            QTest::newRow((name + " keep theirs").constData()) << driver << 0 << QStringLiteral("TTheirs");
            QTest::newRow((name + " store mine").constData()) << driver << 1 << QStringLiteral("TMine");
        }
    }

    void theUserChoosesWhoseChangeStays()
    {
        QFETCH(Driver, driver);
        QFETCH(int, button);
        QFETCH(QString, kept);
        MainFormFixture f(true, driver);
        f.showStructuresEditPage();
        auto* name = f.find<QLineEdit>("BCB_ObjectName_Edit");
        auto* memo = f.find<QPlainTextEdit>("BCB_ObjectDescription_Memo");
        QTest::mouseClick(name, Qt::LeftButton);
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("TMine"));
        QVERIFY(f.catalogue.exec(QStringLiteral("UPDATE Structures SET BCB_Name = 'TTheirs' WHERE Structure_Index = %1")
                                     .arg(f.rows.surface)));

        QString shownWhenAsked;
        f.boxes.onShown([&](const app::MessageBox::Shown&) { shownWhenAsked = name->text(); });
        f.boxes.answerNext(button);
        QTest::mouseClick(memo, Qt::LeftButton);   // leaving the name posts it
        QTRY_COMPARE(f.boxes.boxes().size(), 1);
        const app::MessageBox::Shown& box = f.boxes.boxes().first();
        QVERIFY2(box.text.contains(QStringLiteral("the table Structures: someone else changed its current row")),
                 qPrintable(box.text));
        QCOMPARE(box.buttons, (QStringList{QStringLiteral("Keep &Theirs"), QStringLiteral("Store &Mine")}));
        QCOMPARE(shownWhenAsked, QStringLiteral("TMine"));

        QCOMPARE(f.catalogue.stored("Structures", "Structure_Index", f.rows.surface, "BCB_Name").toString(), kept);
        QCOMPARE(name->text(), kept);
        QVERIFY(f.find<QComboBox>("BCB_ComboBox")->findText(kept) >= 0);
        QTest::qWait(0);
        QCOMPARE(f.boxes.boxes().size(), 1);
    }
};

QTEST_MAIN(TestMainFormPostConflict)
#include "test_main_form_post_conflict.moc"
