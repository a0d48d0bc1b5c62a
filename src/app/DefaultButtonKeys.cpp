#include "app/DefaultButtonKeys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

namespace velmora::app {

void DefaultButtonKeys::watch(QWidget* control, QAbstractButton* defaultButton)
{
    buttons_.insert(control, defaultButton);
    control->installEventFilter(this);
    connect(control, &QObject::destroyed, this, [this, control] { buttons_.remove(control); });
}

bool DefaultButtonKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    if (const auto* combo = qobject_cast<QComboBox*>(watched); combo && combo->view()->isVisible())
        return QObject::eventFilter(watched, event);   // Enter chooses in the open list
    QAbstractButton* button = buttons_.value(watched);
    if (button == nullptr || !button->isVisible() || !button->isEnabled())
        return QObject::eventFilter(watched, event);
    button->click();
    return true;
}

} // namespace velmora::app
