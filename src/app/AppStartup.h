#pragma once

namespace velmora::app {

class VelmoraApplication;

// Everything after the application object: the main window (which connects
// the catalogue), the hidden trace window, the event loop until the main
// window closes. An error on the way is shown in the error box; no window
// that was not yet created is created after it. Always returns 0.
int runVelmora(VelmoraApplication& application);

} // namespace velmora::app
