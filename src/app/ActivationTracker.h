#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace velmora::app {

// Decides when the catalogue opens and closes: the main window becoming the
// program's active window for the first time, or after the trace window was
// active, is an activation; the trace window becoming active is a
// deactivation. Message boxes, file dialogs and other programs change nothing.
class ActivationTracker : public QObject {
    Q_OBJECT
public:
    explicit ActivationTracker(QWidget* mainWindow);

    void setTraceWindow(QWidget* traceWindow);

signals:
    void activated();
    void deactivated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Holder { Nobody, MainWindow, TraceWindow };

    QPointer<QWidget> main_;
    QPointer<QWidget> trace_;
    Holder holder_ = Holder::Nobody;
};

} // namespace velmora::app
