#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <string>

#include "import/ImportObserver.h"

class QLabel;
class QWidget;

namespace velmora::app {

class TDebuggingForm;

// What an import started from the main window reports: trace lines, caption
// and showing go to the trace window, the status caption to DebugLabel. The
// import holds the event loop, so the label is repainted by hand, at most
// about 30 times a second, and takes its caption only then: converting and
// laying out each of a million captions no one sees cost more than the parse.
// A few times a second the label's whole window is repainted instead.
// finish() sets and paints the last caption.
class MainFormImportObserver : public import::ImportObserver {
public:
    explicit MainFormImportObserver(QLabel* statusLabel);

    void setTraceWindow(TDebuggingForm* traceWindow) { trace_ = traceWindow; }

    void SetTraceCaption(const std::string& caption) override;
    void ClearTrace() override;
    void AppendTrace(const import::TraceLine& line) override;
    void SetStatus(const std::string& caption, bool repaintNow = true) override;
    void ShowTrace() override;
    void BeginErrorReport(const import::ImportDiagnostic& diagnostic) override;

    void finish();

    // Paints the whole window now, every control of it, without the event loop.
    static void repaintWindow(QWidget* window);

private:
    QPointer<QLabel> status_;
    QPointer<TDebuggingForm> trace_;
    QElapsedTimer sinceRepaint_;
    QElapsedTimer sinceWindowRepaint_;
    std::string pending_;          // the last caption, when the label does not show it yet
    bool hasPending_ = false;
};

} // namespace velmora::app
