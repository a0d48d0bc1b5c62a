#pragma once

#include <QApplication>

namespace velmora::app {

// The application object. Its notify is the one place where an exception that
// escapes an event handler is caught: the error box shows it, the handler has
// ended, and the event loop carries on.
class VelmoraApplication : public QApplication {
    Q_OBJECT
public:
    VelmoraApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace velmora::app
