#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace velmora::import {

class ImportObserver;
class RowBuffer;
struct CurrentInterface;
struct InterfaceWorkingLists;

// Reads the rows that describe the parameters of one property: a name row and
// a description row per parameter, the flags that may follow, and rows that
// name several parameters sharing one description.
class ParameterDescriptionReader {
public:
    ParameterDescriptionReader(RowBuffer& rows, ImportObserver& observer);

    // Describes the working parameters from first on. Leaves the cursor on the
    // row after the last one consumed; false after an error report.
    bool Read(const CurrentInterface& iface, InterfaceWorkingLists& work, std::size_t first);

private:
    bool ReadOne(const CurrentInterface& iface, InterfaceWorkingLists& work, std::size_t k);
    bool ReadFlags(const CurrentInterface& iface, InterfaceWorkingLists& work, std::size_t k);
    // Returns how many parameters the shared row describes, 0 after an error report.
    std::size_t ReadShared(const CurrentInterface& iface, InterfaceWorkingLists& work, std::size_t k);
    bool Fail(std::string message);

    RowBuffer& rows_;
    ImportObserver& observer_;
    std::string thisString_;
    std::string thatString_;
    std::string caption_;  // the status caption being built
    std::string entry_;    // the list entry being built
};

} // namespace velmora::import
