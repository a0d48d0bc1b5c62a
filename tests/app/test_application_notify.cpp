#include <stdexcept>

#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/MessageBox.h"
#include "app/VelmoraApplication.h"

using velmora::app::MessageBox;
using velmora::app::MessageBoxRecorder;
using velmora::app::VelmoraApplication;

// Qt Widgets is built without exception cleanups, so an error unwinding from a
// handler back to notify leaks the few bytes its dispatch frames held. The
// windows guard their own handlers; notify is the last resort this test drives.
// Those frames belong to Widgets, Gui or Core, and Qt's libraries keep no frame
// pointers, so the leak's short stack may show any one of the three.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6Widgets.so\nleak:libQt6Gui.so\nleak:libQt6Core.so\n";
}

namespace {

void failingStep()
{
    throw std::runtime_error("Table does not exist");
}

} // namespace

class TestApplicationNotify : public QObject {
    Q_OBJECT

private slots:
    void handlerErrorShowsTheErrorBoxAndEndsTheHandler()
    {
        MessageBoxRecorder boxes;
        QPushButton button(QStringLiteral("Throw"));
        bool restRan = false;
        int clicks = 0;
        connect(&button, &QPushButton::clicked, &button, [&] {
            ++clicks;
            failingStep();
            restRan = true;
        });
        button.show();
        button.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&button));
        button.setFocus();

        QTest::keyClick(&button, Qt::Key_Space);
        QCOMPARE(clicks, 1);
        QCOMPARE(boxes.boxes().size(), 1);
        const MessageBox::Shown box = boxes.boxes().first();
        QCOMPARE(box.text, QStringLiteral("Table does not exist."));
        QCOMPARE(box.icon, MessageBox::Error);
        QCOMPARE(box.caption, QStringLiteral("Velmora"));
        QVERIFY(!restRan);

        // The button is still usable: the error has not left it half pressed.
        QVERIFY(!button.isDown());
        QTest::keyClick(&button, Qt::Key_Space);
        QCOMPARE(clicks, 2);
        QCOMPARE(boxes.boxes().size(), 2);
    }

    void theEventLoopCarriesOn()
    {
        MessageBoxRecorder boxes;
        QEventLoop loop;
        bool laterRan = false;
        QTimer::singleShot(0, &loop, [] { throw std::logic_error("first failure"); });
        QTimer::singleShot(0, &loop, [] { throw 42; });
        QTimer::singleShot(5, &loop, [&] {
            laterRan = true;
            loop.quit();
        });
        QTimer::singleShot(5000, &loop, [&] { loop.exit(1); });
        QCOMPARE(loop.exec(), 0);
        QVERIFY(laterRan);
        QCOMPARE(boxes.texts(), (QStringList{QStringLiteral("first failure."), QStringLiteral("Unknown error.")}));
    }
};

int main(int argc, char** argv)
{
    VelmoraApplication app(argc, argv);
    TestApplicationNotify test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_application_notify.moc"
