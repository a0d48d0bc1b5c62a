#include "browser/CatalogueBrowser.h"

#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

#include "browser/ComboSelection.h"
#include "browser/FillTargets.h"
#include "browser/LevelLists.h"
#include "browser/ListQueries.h"
#include "catalogue/Lookups.h"
#include "catalogue/Clearing.h"
#include "catalogue/Table.h"

namespace velmora::browser {

namespace {

QString activeCaption(const QTabWidget* pages)
{
    return pages->tabText(pages->currentIndex());
}

} // namespace

CatalogueBrowser::CatalogueBrowser(const BrowserControls& controls, BrowserPosition& position)
    : c_(controls), position_(position)
{
}

void CatalogueBrowser::FillStructureList()
{
    // The list follows the page showing now, which may differ from the page
    // the last foundation-class lookup saw.
    const ListRows rows = ListQueries(*c_.TempQuery).structures(activeCaption(c_.DirectXFoundationClassPages));
    refillLevel({c_.DirectX_ComboBox, c_.BCB_ComboBox},
                fillTargets(position_.Pages_Linked, c_.DirectDrawEditPages), rows);
}

void CatalogueBrowser::FillMemberList()
{
    const ListRows rows = ListQueries(*c_.TempQuery).members(position_.Current_Structure_Index);
    refillLevel({c_.DirectX_StructureMember_ComboBox, c_.BCB_ObjectProperty_ComboBox},
                fillTargets(position_.Pages_Linked, c_.DirectDrawEditPages), rows);
}

void CatalogueBrowser::FillFlagList()
{
    const ListRows rows = ListQueries(*c_.TempQuery).flags(position_.Current_Member_Index);
    refillLevel({c_.DirectX_MemberFlags_ComboBox, c_.BCB_PropertyFlags_ComboBox},
                fillTargets(position_.Pages_Linked, c_.DirectDrawEditPages), rows);
}

void CatalogueBrowser::FillAllLists()
{
    // No lookups here: the lower lists follow the current numbers as they stand.
    FillStructureList();
    FillMemberList();
    FillFlagList();
}

void CatalogueBrowser::DirectX_ComboBoxChange(QObject* sender)
{
    // Whichever list raised the change (the Interfaces page has copies), the
    // choice is read from the Structures page's view list.
    if (selectedPosition(c_.DirectX_ComboBox) < 0)
        return;
    if (!postBeforeMoving(*c_.Structures_Table, c_.DirectX_ComboBox, QStringLiteral("Structure_Name"),
                          &CatalogueBrowser::FillStructureList))
        return;
    position_.Current_Structure_Index = catalogue::Lookups(*c_.TempQuery)
                                            .structure(selectedText(c_.DirectX_ComboBox),
                                                       position_.Current_Foundation_Class_Index);
    catalogue::positionOnNumber(*c_.Structures_Table, position_.Current_Structure_Index);
    FillMemberList();
    DirectX_StructureMember_ComboBoxChange(sender);
}

void CatalogueBrowser::DirectX_StructureMember_ComboBoxChange(QObject* sender)
{
    if (selectedPosition(c_.DirectX_ComboBox) < 0)
        return;
    const int position = selectedPosition(c_.DirectX_StructureMember_ComboBox);
    if (position < 0)
        return;
    if (!postBeforeMoving(*c_.StructureMembers_Table, c_.DirectX_StructureMember_ComboBox,
                          QStringLiteral("Member_Name"), &CatalogueBrowser::FillMemberList))
        return;
    // The edit page follows the member choice even when the pages are unlinked.
    selectPosition(c_.BCB_ObjectProperty_ComboBox, position);
    position_.Current_Member_Index =
        catalogue::Lookups(*c_.TempQuery)
            .member(selectedText(c_.DirectX_StructureMember_ComboBox), position_.Current_Structure_Index);
    catalogue::positionOnNumber(*c_.StructureMembers_Table, position_.Current_Member_Index);
    FillFlagList();
    DirectX_MemberFlags_ComboBoxChange(sender);
}

void CatalogueBrowser::DirectX_MemberFlags_ComboBoxChange(QObject*)
{
    if (selectedPosition(c_.DirectX_ComboBox) < 0 || selectedPosition(c_.DirectX_StructureMember_ComboBox) < 0)
        return;
    const int position = selectedPosition(c_.DirectX_MemberFlags_ComboBox);
    if (position < 0)
        return;
    if (!postBeforeMoving(*c_.StructureMemberFlags_Table, c_.DirectX_MemberFlags_ComboBox,
                          QStringLiteral("Flag_Name"), &CatalogueBrowser::FillFlagList))
        return;
    selectPosition(c_.BCB_PropertyFlags_ComboBox, position);
    const int flag = catalogue::Lookups(*c_.TempQuery)
                         .flag(selectedText(c_.DirectX_MemberFlags_ComboBox), position_.Current_Member_Index);
    catalogue::positionOnNumber(*c_.StructureMemberFlags_Table, flag);
}

void CatalogueBrowser::DirectXFoundationClassPagesChange(QObject*)
{
    position_.Current_Foundation_Class_Index =
        catalogue::Lookups(*c_.TempQuery).foundationClass(activeCaption(c_.DirectXFoundationClassPages));
}

void CatalogueBrowser::BitBtn8Click(QObject*)
{
    position_.Pages_Linked = true;
    c_.LinkedLabel->setText(QStringLiteral("Linked: True"));
}

void CatalogueBrowser::BitBtn9Click(QObject*)
{
    position_.Pages_Linked = false;
    c_.LinkedLabel->setText(QStringLiteral("Linked: False"));
}

bool CatalogueBrowser::postIfModified(catalogue::Table* table)
{
    if (!table->active() || !table->modified())
        return false;
    table->post();
    return true;
}

bool CatalogueBrowser::postBeforeMoving(catalogue::Table& table, QComboBox* list, const QString& nameField,
                                        void (CatalogueBrowser::*refill)())
{
    try {
        if (c_.writePendingValues)
            c_.writePendingValues(table);
        if (!postIfModified(&table))
            return true;
    } catch (...) {
        // A new row has no name yet and matches no entry.
        const QString shown = table.fieldAsString(nameField);
        selectPosition(list, shown.isEmpty() ? -1 : list->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive));
        if (!c_.reportLater)
            throw;
        c_.reportLater(std::current_exception());
        return false;
    }
    // The refill keeps the chosen position: the user cannot change the names it sorts by.
    (this->*refill)();
    return true;
}

void CatalogueBrowser::BCB_ObjectName_EditExit(QObject*)
{
    if (postIfModified(c_.Structures_Table))
        FillStructureList();
}

void CatalogueBrowser::BCB_PropertyName_EditExit(QObject*)
{
    if (postIfModified(c_.StructureMembers_Table))
        FillMemberList();
}

void CatalogueBrowser::BCB_PropertyFlagsDescript_MemoExit(QObject*)
{
    if (postIfModified(c_.StructureMemberFlags_Table))
        FillFlagList();
}

void CatalogueBrowser::refillListOf(const catalogue::Table& table)
{
    if (&table == c_.Structures_Table)
        FillStructureList();
    else if (&table == c_.StructureMembers_Table)
        FillMemberList();
    else if (&table == c_.StructureMemberFlags_Table)
        FillFlagList();
}

void CatalogueBrowser::ClearAllStructures()
{
    catalogue::clearCatalogueTables(*c_.Corvane, *c_.Structures_Table, *c_.StructureMembers_Table,
                                    *c_.StructureMemberFlags_Table);
    FillAllLists();
}

} // namespace velmora::browser
