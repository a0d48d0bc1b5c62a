#include "browser/CatalogueBrowser.h"

#include <stdexcept>

#include <QWidget>

namespace velmora::browser {

void MoveFocusTo(QWidget* target)
{
    // Qt ignores setFocus() on a hidden or disabled widget without a word; the
    // user must hear why the label click did nothing.
    if (target == nullptr || !target->isVisible() || !target->isEnabled() || target->focusPolicy() == Qt::NoFocus)
        throw std::runtime_error("Cannot focus a disabled or invisible window");
    target->setFocus(Qt::OtherFocusReason);
}

} // namespace velmora::browser
