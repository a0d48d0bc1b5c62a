#include "app/controls/BoundControlExit.h"

#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

#include "app/MessageBox.h"

namespace velmora::app {

namespace {

bool reclaiming = false;

} // namespace

bool isExitReason(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
}

void reportErrorLater(QWidget* parent, std::exception_ptr error)
{
    QPointer<QWidget> guard(parent);
    const QString text = errorBoxText(error);
    QTimer::singleShot(0, [guard, text] { MessageBox::showError(guard ? guard->window() : nullptr, text); });
}

void leaveBoundControl(QWidget* control, Qt::FocusReason reason, const std::function<void()>& commit,
                       const std::function<void()>& runExit, std::function<void()> afterReclaim)
{
    if (!isExitReason(reason) || FocusReclaim::inProgress())
        return;
    try {
        commit();
    } catch (...) {
        FocusReclaim::reclaim(control, std::move(afterReclaim), std::current_exception());
        return;
    }
    try {
        runExit();
    } catch (...) {
        reportErrorLater(control, std::current_exception());
    }
}

bool FocusReclaim::inProgress()
{
    return reclaiming;
}

void FocusReclaim::reclaim(QWidget* control, std::function<void()> afterFocus, std::exception_ptr error)
{
    QPointer<QWidget> guard(control);
    const QString text = errorBoxText(error);
    QTimer::singleShot(0, [guard, afterFocus = std::move(afterFocus), text] {
        if (guard) {
            QScopedValueRollback flag(reclaiming, true);
            guard->setFocus(Qt::OtherFocusReason);
            if (afterFocus)
                afterFocus();
        }
        MessageBox::showError(guard ? guard->window() : nullptr, text);
    });
}

} // namespace velmora::app
