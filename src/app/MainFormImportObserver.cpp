#include "app/MainFormImportObserver.h"

#include <QLabel>

#include "app/TDebuggingForm.h"
#include "text/TraceText.h"

namespace velmora::app {

namespace {
constexpr qint64 RepaintIntervalMs = 33;
// The whole window less often: what another window or a closed dialog left
// on it is painted over without the event loop, which the import holds.
constexpr qint64 WindowRepaintIntervalMs = 250;
}

MainFormImportObserver::MainFormImportObserver(QLabel* statusLabel) : status_(statusLabel) {}

void MainFormImportObserver::repaintWindow(QWidget* window)
{
    // A repaint paints only what Qt knows to be out of date; what another
    // window left on this one it does not know about.
    window->update();
    for (QWidget* child : window->findChildren<QWidget*>())
        child->update();
    window->repaint();
}

void MainFormImportObserver::SetTraceCaption(const std::string& caption)
{
    if (trace_)
        trace_->setTraceCaption(QString::fromStdString(caption));
}

void MainFormImportObserver::ClearTrace()
{
    if (trace_)
        trace_->clearLines();
}

void MainFormImportObserver::AppendTrace(const import::TraceLine& line)
{
    if (trace_)
        trace_->appendLine(line.parts);
}

void MainFormImportObserver::SetStatus(const std::string& caption, bool repaintNow)
{
    if (!status_)
        return;
    if (repaintNow && (!sinceRepaint_.isValid() || sinceRepaint_.elapsed() >= RepaintIntervalMs)) {
        status_->setText(QString::fromStdString(caption));
        if (!sinceWindowRepaint_.isValid() || sinceWindowRepaint_.elapsed() >= WindowRepaintIntervalMs) {
            repaintWindow(status_->window());
            sinceWindowRepaint_.restart();
        } else {
            status_->repaint();
        }
        sinceRepaint_.restart();
        hasPending_ = false;
        return;
    }
    text::AssignConcat(pending_, caption);
    hasPending_ = true;
}

void MainFormImportObserver::ShowTrace()
{
    if (trace_)
        trace_->showTrace();
}

void MainFormImportObserver::BeginErrorReport(const import::ImportDiagnostic& diagnostic)
{
    if (trace_)
        trace_->markErrorReport(diagnostic.row);
}

void MainFormImportObserver::finish()
{
    if (status_) {
        if (hasPending_)
            status_->setText(QString::fromStdString(pending_));
        status_->repaint();
    }
    hasPending_ = false;
    sinceRepaint_.invalidate();
    sinceWindowRepaint_.invalidate();
}

} // namespace velmora::app
