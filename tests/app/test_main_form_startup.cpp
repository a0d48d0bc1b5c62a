#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/MessageBox.h"
#include "app/TMainForm.h"
#include "catalogue/CatalogueError.h"
#include "support/CatalogueFixture.h"

using velmora::app::TMainForm;
using velmora::testing::CatalogueFixture;

// Building the main window: its catalogue connection, its place, the pages it
// opens on and the captions of its controls.
class TestMainFormStartup : public QObject {
    Q_OBJECT

    template <typename T>
    static T* find(QWidget& window, const char* name)
    {
        T* widget = window.findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr)
            qFatal("no control %s", name);
        return widget;
    }

private slots:
    void withoutTheAliasTheWindowIsNotBuilt()
    {
        velmora::testing::TempCatalogueEnv env;   // no alias file at all
        QVERIFY_THROWS_EXCEPTION(velmora::catalogue::CatalogueError, TMainForm());
    }

    void standsAtTheTopLeftCorner800By580()
    {
        CatalogueFixture catalogue;
        TMainForm window;
        QCOMPARE(window.windowTitle(), QStringLiteral("a Velmora Component Tool"));
        QCOMPARE(window.pos(), QPoint(0, 0));
        QCOMPARE(window.size(), QSize(800, 580));
    }

    void opensOnTheInterfacesCopyOfTheDirectDrawPage()
    {
        CatalogueFixture catalogue;
        TMainForm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto* classes = find<QTabWidget>(window, "DirectXFoundationClassPages");
        QCOMPARE(classes->count(), 7);
        QCOMPARE(classes->currentWidget()->objectName(), QStringLiteral("TabSheet6"));
        QStringList captions;
        for (int i = 0; i < classes->count(); ++i)
            captions << classes->tabText(i);
        QCOMPARE(captions, QStringList({"DirectDraw", "DirectSound", "DirectInput", "DirectPlay", "DirectSetup",
                                        "Direct3D Immediate Mode", "Direct3D Retained Mode"}));

        auto* directDraw = find<QTabWidget>(window, "DirectDrawPages");
        QCOMPARE(directDraw->count(), 6);
        QCOMPARE(directDraw->currentWidget()->objectName(), QStringLiteral("TabSheet5"));
        QCOMPARE(directDraw->tabText(5), QStringLiteral("Temporary Crap"));
        QCOMPARE(find<QTabWidget>(window, "PageControl1")->currentWidget()->objectName(), QStringLiteral("TabSheet11"));
        QCOMPARE(find<QTabWidget>(window, "DirectDrawEditPages")->currentWidget()->objectName(),
                 QStringLiteral("BCB_TabSheet"));

        // The copy's view page is what shows; its lists are never filled.
        QVERIFY(find<QComboBox>(window, "ComboBox1")->isVisible());
        QCOMPARE(find<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("DirectX_ComboBox"));
        QCOMPARE(find<QComboBox>(window, "ComboBox1")->count(), 0);
        QCOMPARE(find<QPushButton>(window, "BitBtn1")->text(), QStringLiteral("View &Next Item"));
        QCOMPARE(find<QLabel>(window, "Label35")->text(), QStringLiteral("DebugLabel"));
        QVERIFY(!find<QPushButton>(window, "BitBtn4")->isVisible());
    }
};

QTEST_MAIN(TestMainFormStartup)
#include "test_main_form_startup.moc"
