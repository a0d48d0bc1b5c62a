#include "browser/LevelLists.h"

#include <QComboBox>

#include "browser/ComboSelection.h"
#include "browser/EntryListModel.h"
#include "browser/FillTargets.h"
#include "browser/ListQueries.h"

namespace velmora::browser {

namespace {

void replaceItems(QComboBox* combo, const QStringList& items)
{
    EntryListModel::of(combo).setEntries(items);
}

} // namespace

void refillLevel(const LevelLists& lists, const FillTargets& targets, const ListRows& rows)
{
    const int remembered = selectedPosition(lists.view);
    if (targets.view)
        replaceItems(lists.view, rows.view);
    if (targets.edit)
        replaceItems(lists.edit, rows.edit);
    if (targets.view)
        selectPosition(lists.view, remembered);
    if (targets.edit)
        selectPosition(lists.edit, remembered);
}

} // namespace velmora::browser
