#include "browser/EntryListModel.h"

#include <QComboBox>

namespace velmora::browser {

EntryListModel& EntryListModel::of(QComboBox* combo)
{
    if (auto* model = dynamic_cast<EntryListModel*>(combo->model()))
        return *model;
    auto* model = new EntryListModel(combo);
    combo->setModel(model);   // the combo box deletes the item model it made itself
    return *model;
}

void EntryListModel::setEntries(QStringList entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int EntryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const
{
    // The completer of an editable list matches on the edit role.
    if (!index.isValid() || index.row() >= entries_.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return entries_.at(index.row());
}

Qt::ItemFlags EntryListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace velmora::browser
