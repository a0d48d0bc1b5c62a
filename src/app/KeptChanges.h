#pragma once

#include <exception>
#include <utility>
#include <vector>

#include "catalogue/Table.h"

class QWidget;

namespace velmora::catalogue {
class CatalogueTables;
}

namespace velmora::app {

// What the user typed when the catalogue went out of reach (its file deleted
// or replaced, its server session ended): the catalogue is closed, the typed
// values stay in their fields to be read and copied, and are posted as soon
// as the catalogue is open again.
class KeptChanges {
public:
    // Closes the catalogue, keeping each table's unposted change and showing
    // it again in the form's edit fields that closing emptied.
    void closeKeeping(catalogue::CatalogueTables& catalogue, QWidget* form);

    // Posts the kept changes into the catalogue just opened, each table back
    // on its first row afterwards. Once all were tried, returns the first
    // failure: a change whose post failed stays pending in its table, one
    // whose row was deleted meanwhile is named in the error with its values.
    std::exception_ptr post();

    bool empty() const { return edits_.empty(); }

private:
    std::vector<std::pair<catalogue::Table*, catalogue::Table::PendingEdit>> edits_;
};

} // namespace velmora::app
