#pragma once

#include <QAbstractListModel>
#include <QStringList>

class QComboBox;

namespace velmora::browser {

// The entries of one browser list: read-only texts, replaced as a whole. A
// list of 100,000 structures costs one text each, not an item object per row
// as QComboBox's own item model does.
class EntryListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // The model behind combo, put in place on first use.
    static EntryListModel& of(QComboBox* combo);

    void setEntries(QStringList entries);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList entries_;
};

} // namespace velmora::browser
