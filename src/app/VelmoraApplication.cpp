#include "app/VelmoraApplication.h"

#include "app/FocusFrameStyle.h"
#include "app/MessageBox.h"

namespace velmora::app {

VelmoraApplication::VelmoraApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // The style the user chose (-style, QT_STYLE_OVERRIDE) or the platform's.
    setStyle(new FocusFrameStyle(style()->name()));
}

bool VelmoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        MessageBox::showError(activeWindow(), errorBoxText(std::current_exception()));
    }
    return false;
}

} // namespace velmora::app
