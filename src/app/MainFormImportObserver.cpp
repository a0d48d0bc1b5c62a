#include "app/MainFormImportObserver.h"

#include <QLabel>

#include "app/TDebuggingForm.h"
#include "text/TraceText.h"

namespace velmora::app {

namespace {
constexpr qint64 RepaintIntervalMs = 33;
}

MainFormImportObserver::MainFormImportObserver(QLabel* statusLabel) : status_(statusLabel) {}

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
        status_->repaint();
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
}

} // namespace velmora::app
