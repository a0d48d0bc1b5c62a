#pragma once

// The real main window and trace window over a real catalogue, shown and
// active, with every message box recorded instead of shown.

#include <memory>

#include <QApplication>
#include <QListView>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "app/MessageBox.h"
#include "app/TDebuggingForm.h"
#include "app/TMainForm.h"
#include "app/TraceListModel.h"
#include "support/CatalogueFixture.h"

namespace velmora::testing {

// The lines of a trace window, as its list shows them.
inline app::TraceListModel& traceLines(app::TDebuggingForm& trace)
{
    auto* list = trace.findChild<QListView*>(QStringLiteral("ListBox"));
    auto* model = list ? qobject_cast<app::TraceListModel*>(list->model()) : nullptr;
    if (model == nullptr)
        qFatal("the trace window has no list of trace lines");
    return *model;
}

// Structures, members and flags the tests browse: the tables open on the
// first row of each by number.
struct SampleRows {
    int surface = 0;   // first structure by number
    int caps = 0;
    int dwSize = 0;    // first member by number
    int dwFlags = 0;
    int flagCaps = 0;  // first flag by number
};

// The catalogue, then the real windows over it: tests add their rows, then
// open() builds the main window, shows it and waits until it is active.
class MainWindowUnderTest {
public:
    explicit MainWindowUnderTest(Driver driver = Driver::Embedded) : catalogue(driver) {}

    void open()
    {
        main = std::make_unique<app::TMainForm>();
        main->setDebuggingForm(&trace);
        main->show();
        if (!waitUntilActive(main.get()))
            qFatal("the main window never became active");
    }

    template <typename T>
    T* find(const char* name) const
    {
        T* widget = main->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr)
            qFatal("no control named %s", name);
        return widget;
    }

    // Clicks the tab of a page control, as the user would.
    void showPage(const char* pageControl, const char* page) const
    {
        auto* pages = find<QTabWidget>(pageControl);
        const int index = pages->indexOf(find<QWidget>(page));
        QTabBar* bar = pages->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
        if (pages->currentIndex() != index)
            qFatal("page %s did not show", page);
    }

    void showStructuresEditPage() const
    {
        showPage("DirectDrawPages", "TabSheet1");
        showPage("DirectDrawEditPages", "BCB_TabSheet");
    }

    void showStructuresViewPage() const
    {
        showPage("DirectDrawPages", "TabSheet1");
        showPage("DirectDrawEditPages", "DirectX_TabSheet");
    }

    // The platform reports activation late: wait until the application has
    // delivered it to the window.
    static bool waitUntilActive(QWidget* window)
    {
        return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
    }

    bool goToTraceWindow()
    {
        trace.showTrace();
        return waitUntilActive(&trace);
    }

    bool backToMainWindow()
    {
        main->activateWindow();
        return waitUntilActive(main.get());
    }

    app::MessageBoxRecorder boxes;
    CatalogueFixture catalogue;
    app::TDebuggingForm trace;
    std::unique_ptr<app::TMainForm> main;
};

class MainFormFixture : public MainWindowUnderTest {
public:
    explicit MainFormFixture(bool withRows = true, Driver driver = Driver::Embedded) : MainWindowUnderTest(driver)
    {
        if (withRows) {
            rows.surface = catalogue.addStructure("DDSURFACEDESC", "TDDSurfaceDesc", "Describes a surface.", 0);
            rows.caps = catalogue.addStructure("DDCAPS", "TDDCaps", "Driver capabilities.", 1);
            rows.dwSize = catalogue.addMember(rows.surface, "dwSize", "Size", "Size of the structure.", 2);
            rows.dwFlags = catalogue.addMember(rows.surface, "dwFlags", "Flags", "Which members are valid.", 1);
            rows.flagCaps = catalogue.addFlag(rows.dwFlags, "DDSD_CAPS", "ddsCaps is valid.", 7);
        }
        open();
    }

    SampleRows rows;
};

} // namespace velmora::testing
