#include "app/FocusFrameStyle.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

namespace velmora::app {

FocusFrameStyle::FocusFrameStyle(const QString& baseStyleKey) : QProxyStyle(baseStyleKey) {}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element != CE_PushButton || button == nullptr || !(option->state & State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(*option);
    focus.rect = subElementRect(SE_PushButtonFocusRect, button, widget);
    focus.backgroundColor = option->palette.button().color();
    plain_.drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
}

} // namespace velmora::app
