#include "app/AppStartup.h"

#include <exception>
#include <memory>

#include "app/MessageBox.h"
#include "app/TDebuggingForm.h"
#include "app/TMainForm.h"
#include "app/VelmoraApplication.h"

namespace velmora::app {

namespace {

struct Windows {
    std::unique_ptr<TMainForm> mainForm;
    std::unique_ptr<TDebuggingForm> debuggingForm;

    // The main window holds on to the trace window, so it goes first.
    ~Windows()
    {
        mainForm.reset();
        debuggingForm.reset();
    }
};

void startAndRun(VelmoraApplication& application)
{
    Windows windows;
    windows.mainForm = std::make_unique<TMainForm>();
    windows.debuggingForm = std::make_unique<TDebuggingForm>();
    windows.mainForm->setDebuggingForm(windows.debuggingForm.get());
    windows.mainForm->show();
    application.exec();
}

} // namespace

int runVelmora(VelmoraApplication& application)
{
    try {
        startAndRun(application);
    } catch (...) {
        MessageBox::showError(nullptr, errorBoxText(std::current_exception()));
    }
    return 0;
}

} // namespace velmora::app
