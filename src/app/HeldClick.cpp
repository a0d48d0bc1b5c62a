#include "app/HeldClick.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>

namespace velmora::app {

void HeldClick::watch(QWidget* control)
{
    control->installEventFilter(this);
}

void HeldClick::holdPressedButton()
{
    auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (held_ || !leftByMouse_ || button == nullptr)
        return;
    held_ = button;
    button->installEventFilter(this);
}

void HeldClick::clickHeldButton()
{
    QPointer<QAbstractButton> button = held_;
    held_ = nullptr;
    if (!button)
        return;
    button->removeEventFilter(this);
    button->setDown(false);
    button->click();
}

bool HeldClick::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched != held_) {
        leftByMouse_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        return false;
    }
    if (watched != held_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        held_->setDown(false);
        return true;   // the click comes after the answer
    default:
        return false;
    }
}

} // namespace velmora::app
