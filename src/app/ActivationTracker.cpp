#include "app/ActivationTracker.h"

#include <QEvent>
#include <QWidget>

namespace velmora::app {

ActivationTracker::ActivationTracker(QWidget* mainWindow) : QObject(mainWindow), main_(mainWindow)
{
    mainWindow->installEventFilter(this);
}

void ActivationTracker::setTraceWindow(QWidget* traceWindow)
{
    if (trace_)
        trace_->removeEventFilter(this);
    trace_ = traceWindow;
    if (trace_)
        trace_->installEventFilter(this);
}

bool ActivationTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        if (watched == main_ && holder_ != Holder::MainWindow) {
            holder_ = Holder::MainWindow;
            emit activated();
        } else if (watched == trace_ && trace_ && holder_ == Holder::MainWindow) {
            holder_ = Holder::TraceWindow;
            emit deactivated();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmora::app
