#include "app/VelmoraApplication.h"

#include "app/MessageBox.h"

namespace velmora::app {

VelmoraApplication::VelmoraApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
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
