#include "app/TraceLineDelegate.h"

#include "app/TraceListModel.h"

namespace velmora::app {

TraceLineDelegate::TraceLineDelegate(const TraceListModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model)
{
}

QSize TraceLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int longest = model_.longestRow();
    if (longest < 0 || index.model() != &model_)
        return QStyledItemDelegate::sizeHint(option, index);
    return QStyledItemDelegate::sizeHint(option, model_.index(longest));
}

} // namespace velmora::app
