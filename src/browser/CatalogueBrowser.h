#pragma once

#include <QString>

#include "browser/BrowserControls.h"

class QObject;

namespace velmora::browser {

// The behaviour of the structure browser and editor: filling the structure,
// member and flag lists, answering choices in the view page's lists, linking
// the pages, posting on exit and clearing. The main window's handlers call in.
class CatalogueBrowser {
public:
    CatalogueBrowser(const BrowserControls& controls, BrowserPosition& position);

    void FillStructureList();
    void FillMemberList();
    void FillFlagList();
    // The list that shows the table's rows (none for another table).
    void refillListOf(const catalogue::Table& table);
    void FillAllLists();

    void DirectX_ComboBoxChange(QObject* sender);
    void DirectX_StructureMember_ComboBoxChange(QObject* sender);
    void DirectX_MemberFlags_ComboBoxChange(QObject* sender);
    void DirectXFoundationClassPagesChange(QObject* sender);

    void BitBtn8Click(QObject* sender);   // link the pages
    void BitBtn9Click(QObject* sender);   // unlink the pages

    // Exit handlers: post the table when it has unposted changes, then refill its list.
    void BCB_ObjectName_EditExit(QObject* sender);
    void BCB_PropertyName_EditExit(QObject* sender);
    void BCB_PropertyFlagsDescript_MemoExit(QObject* sender);

    // Empties the three catalogue tables and refills the lists (the note box is the window's).
    void ClearAllStructures();

private:
    // Posts table when a bound control left a change in it; true when it did.
    static bool postIfModified(catalogue::Table* table);
    // Before a choice moves table: the user's change of it is posted and its
    // level refilled, as leaving the control would. When the post fails the
    // error shows after the choice, the table stays, list goes back to the
    // row shown, and the result is false.
    bool postBeforeMoving(catalogue::Table& table, QComboBox* list, const QString& nameField,
                          void (CatalogueBrowser::*refill)());

    BrowserControls c_;
    BrowserPosition& position_;
};

// Moves the focus to target, or throws std::runtime_error("Cannot focus a
// disabled or invisible window") when it cannot take it.
void MoveFocusTo(QWidget* target);

} // namespace velmora::browser
