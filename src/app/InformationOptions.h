#pragma once

#include <iosfwd>
#include <optional>

namespace velmora::app {

// velmora --help and --version: answered from the command line alone, before
// any application object exists, so that they need no window system (the man
// page is made from them at build time). Returns the exit code when one of
// them was asked for, nothing when the program should start as usual; every
// other word (Qt's own -platform, -style, ...) is left to the application.
std::optional<int> answerInformationOptions(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace velmora::app
