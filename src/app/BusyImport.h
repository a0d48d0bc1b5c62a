#pragma once

#include <memory>

namespace velmora::app {

// The program while an import holds the event loop: the busy cursor shows,
// and the user's clicks and keys are dropped instead of being run afterwards
// on whatever is then under the pointer. Input given during the import
// reaches the program only after it: at its end the input waiting for the
// event loop is taken in and dropped (everything else waiting runs then, once
// the import is done).
class BusyImport {
public:
    BusyImport();
    ~BusyImport();
    BusyImport(const BusyImport&) = delete;
    BusyImport& operator=(const BusyImport&) = delete;

private:
    class InputDrop;
    std::unique_ptr<InputDrop> drop_;
};

} // namespace velmora::app
