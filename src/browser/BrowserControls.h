#pragma once

#include <exception>
#include <functional>

class QComboBox;
class QLabel;
class QTabWidget;
class QWidget;

namespace velmora::catalogue {
class Database;
class Table;
class Query;
} // namespace velmora::catalogue

namespace velmora::browser {

// The widgets and catalogue components of the main window that the browser
// works on. The main window owns all of them; the browser only holds pointers.
struct BrowserControls {
    // The structures page pair: view page ("DirectX") and edit page lists.
    QComboBox* DirectX_ComboBox = nullptr;
    QComboBox* DirectX_StructureMember_ComboBox = nullptr;
    QComboBox* DirectX_MemberFlags_ComboBox = nullptr;
    QComboBox* BCB_ComboBox = nullptr;
    QComboBox* BCB_ObjectProperty_ComboBox = nullptr;
    QComboBox* BCB_PropertyFlags_ComboBox = nullptr;

    QTabWidget* DirectXFoundationClassPages = nullptr;
    QTabWidget* DirectDrawEditPages = nullptr;
    QLabel* LinkedLabel = nullptr;

    catalogue::Database* Corvane = nullptr;
    catalogue::Table* Structures_Table = nullptr;
    catalogue::Table* StructureMembers_Table = nullptr;
    catalogue::Table* StructureMemberFlags_Table = nullptr;
    catalogue::Query* TempQuery = nullptr;

    // Writes into table what the user changed in its bound controls and no
    // control has written yet (the focused one, a status group); throws when a
    // field refuses the value.
    std::function<void(catalogue::Table&)> writePendingValues;
    // Shows an error once the current event is done: a choice is no place for
    // a modal box.
    std::function<void(std::exception_ptr)> reportLater;
};

// The browser's position, owned by the main window.
struct BrowserPosition {
    int Current_Foundation_Class_Index = 0;
    int Current_Structure_Index = 0;
    int Current_Member_Index = 0;
    bool Pages_Linked = true;
};

} // namespace velmora::browser
