#include <QFile>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "app/AppStartup.h"
#include "app/MessageBox.h"
#include "app/TDebuggingForm.h"
#include "app/TMainForm.h"
#include "app/VelmoraApplication.h"
#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/drivers/PostgresConnection.h"
#include "support/CatalogueFixture.h"

using velmora::app::MessageBox;
using velmora::app::MessageBoxRecorder;
using velmora::app::TDebuggingForm;
using velmora::app::TMainForm;
using velmora::app::VelmoraApplication;
using velmora::testing::CatalogueFixture;
using velmora::testing::TempCatalogueEnv;

namespace {

// Counts every window that is shown, to tell whether an error came first.
class ShownWindows : public QObject {
public:
    ShownWindows() { qApp->installEventFilter(this); }
    ~ShownWindows() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            ++count;
        return false;
    }
};

template <typename Window>
Window* findWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget))
            return window;
    }
    return nullptr;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private:
    VelmoraApplication& app() { return *static_cast<VelmoraApplication*>(qApp); }

    // Starts the program, expecting it to fail before any window; `box` gets the one box shown.
    void runExpectingStartupError(MessageBox::Shown& box)
    {
        MessageBoxRecorder boxes;
        ShownWindows shown;
        int shownWhenBoxCame = -1;
        boxes.onShown([&](const MessageBox::Shown&) { shownWhenBoxCame = shown.count; });
        // Should the program start after all, this ends its loop rather than hanging.
        QTimer escape;
        escape.setSingleShot(true);
        connect(&escape, &QTimer::timeout, qApp, [] { QApplication::closeAllWindows(); });
        escape.start(5000);

        QCOMPARE(velmora::app::runVelmora(app()), 0);
        QCOMPARE(boxes.boxes().size(), 1);
        QCOMPARE(shownWhenBoxCame, 0);
        QCOMPARE(shown.count, 0);
        box = boxes.boxes().first();
        QCOMPARE(box.icon, MessageBox::Error);
        QCOMPARE(box.caption, QStringLiteral("Velmora"));
        QVERIFY(box.text.endsWith(QLatin1Char('.')));
        QVERIFY2(QApplication::topLevelWidgets().isEmpty(), "no window outlives start-up");
    }

private slots:
    void aPushButtonWithTheFocusShowsAFocusRectangle()
    {
        // The trace window's buttons, focused by the keyboard and by a click.
        MessageBoxRecorder boxes;
        TDebuggingForm trace;
        trace.showTrace();
        QVERIFY(QTest::qWaitForWindowActive(&trace));
        auto* edit = trace.findChild<QWidget*>(QStringLiteral("Edit1"));
        auto* button = trace.findChild<QPushButton*>(QStringLiteral("BitBtn2"));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        const QImage without = button->grab().toImage();
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(button->hasFocus());
        const QImage byKey = button->grab().toImage();
        edit->setFocus();
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->hasFocus());
        const QImage byClick = button->grab().toImage();

        // Where the style puts the rectangle, its outline must stand out.
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect frame = button->style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, button)
                                .adjusted(1, 1, -2, -2);
        for (const QImage& focused : {byKey, byClick}) {
            int outline = 0;
            int standingOut = 0;
            for (int x = frame.left(); x <= frame.right(); ++x) {
                for (int y = frame.top(); y <= frame.bottom(); ++y) {
                    if (x != frame.left() && x != frame.right() && y != frame.top() && y != frame.bottom())
                        continue;
                    ++outline;
                    standingOut += std::abs(qGray(focused.pixel(x, y)) - qGray(without.pixel(x, y))) > 80;
                }
            }
            QVERIFY2(standingOut * 2 > outline, qPrintable(QStringLiteral("%1 of %2").arg(standingOut).arg(outline)));
        }
    }

    void noAliasGivesTheErrorBoxBeforeAnyWindow()
    {
        TempCatalogueEnv env;
        MessageBox::Shown box;
        runExpectingStartupError(box);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(box.text.contains(QStringLiteral("velmora-cli init")), qPrintable(box.text));
        QVERIFY(!box.text.endsWith(QStringLiteral("..")));
    }

    void aCorruptCatalogueGivesTheErrorBox()
    {
        CatalogueFixture fixture;
        QFile file(fixture.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x5a'));
        file.close();
        MessageBox::Shown box;
        runExpectingStartupError(box);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!box.text.isEmpty());
    }

    void anAliasWithAWrongDriverGivesTheErrorBox()
    {
        CatalogueFixture fixture;
        fixture.registerAlias(QStringLiteral("QNOSUCHDRIVER"));
        MessageBox::Shown box;
        runExpectingStartupError(box);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(box.text.contains(QStringLiteral("QNOSUCHDRIVER")), qPrintable(box.text));
    }

    void aServerCatalogueThatCannotBeUsedGivesTheErrorBox_data()
    {
        QTest::addColumn<QString>("breaking");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing column") << QStringLiteral("ALTER TABLE Structure_Members DROP COLUMN BCB_Name")
                                        << QString() << QStringLiteral("Structure_Members has no field BCB_Name");
        // The test cluster asks this role, and only it, for a password; none is given.
        QTest::newRow("no password") << QString() << QStringLiteral("velmora_locked")
                                     << QStringLiteral("no password supplied");
    }

    void aServerCatalogueThatCannotBeUsedGivesTheErrorBox()
    {
        QFETCH(QString, breaking);
        QFETCH(QString, user);
        QFETCH(QString, message);
        CatalogueFixture fixture(velmora::testing::Driver::Postgres);
        if (!breaking.isEmpty())
            QVERIFY2(fixture.exec(breaking), qPrintable(fixture.lastError()));
        if (!user.isEmpty()) {
            auto entry = velmora::catalogue::parsePostgresConnection(velmora::testing::postgresTestServer());
            entry.user = user;
            velmora::catalogue::AliasRegistry().registerAlias(velmora::catalogue::names::Alias, entry);
        }
        MessageBox::Shown box;
        runExpectingStartupError(box);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(box.text.contains(message), qPrintable(box.text));
    }

    void withACatalogueTheMainWindowStandsTopLeftAndTheTraceIsHidden()
    {
        CatalogueFixture fixture;
        MessageBoxRecorder boxes;

        bool looked = false;
        QPoint mainPosition;
        QSize mainSize;
        QString mainCaption;
        bool traceExists = false;
        bool traceVisible = true;
        QTimer::singleShot(0, qApp, [&] {
            looked = true;
            TMainForm* mainForm = findWindow<TMainForm>();
            TDebuggingForm* trace = findWindow<TDebuggingForm>();
            traceExists = trace != nullptr;
            traceVisible = trace && trace->isVisible();
            if (mainForm) {
                mainPosition = mainForm->frameGeometry().topLeft();
                mainSize = mainForm->size();
                mainCaption = mainForm->windowTitle();
                mainForm->close();
            }
        });
        QTimer escape;
        escape.setSingleShot(true);
        connect(&escape, &QTimer::timeout, qApp, [] { QApplication::closeAllWindows(); });
        escape.start(10000);

        QCOMPARE(velmora::app::runVelmora(app()), 0);
        QVERIFY(escape.isActive());
        QVERIFY(looked);
        QCOMPARE(mainPosition, QPoint(0, 0));
        QCOMPARE(mainSize, QSize(800, 580));
        QCOMPARE(mainCaption, QStringLiteral("a Velmora Component Tool"));
        QVERIFY(traceExists);
        QVERIFY(!traceVisible);
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void closingTheMainWindowEndsTheProgramWhileTheTraceShows()
    {
        CatalogueFixture fixture;
        MessageBoxRecorder boxes;

        bool traceWasShown = false;
        QTimer::singleShot(0, qApp, [&] {
            TDebuggingForm* trace = findWindow<TDebuggingForm>();
            TMainForm* mainForm = findWindow<TMainForm>();
            if (!trace || !mainForm)
                return;
            trace->showTrace();
            traceWasShown = trace->isVisible();
            mainForm->close();
        });
        QTimer escape;
        escape.setSingleShot(true);
        connect(&escape, &QTimer::timeout, qApp, [] { QApplication::exit(0); });
        escape.start(10000);

        QCOMPARE(velmora::app::runVelmora(app()), 0);
        QVERIFY(traceWasShown);
        QVERIFY2(escape.isActive(), "the loop ended by itself");
        QCOMPARE(boxes.texts(), QStringList());
    }
};

int main(int argc, char** argv)
{
    VelmoraApplication application(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_startup.moc"
