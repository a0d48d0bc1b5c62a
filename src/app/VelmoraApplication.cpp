#include "app/VelmoraApplication.h"

#include <exception>

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
    } catch (const std::exception& error) {
        MessageBox::showError(activeWindow(), errorBoxText(error.what()));
    } catch (...) {
        MessageBox::showError(activeWindow(), errorBoxText("Unknown error"));
    }
    return false;
}

QString errorBoxText(const char* message)
{
    return QString::fromUtf8(message) + QLatin1Char('.');
}

} // namespace velmora::app
