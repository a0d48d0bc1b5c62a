#include "app/TraceLineDelegate.h"

#include <QFontMetrics>

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

QChar TraceLineDelegate::lineFeedMarker(const QFont& font)
{
    // SYMBOL FOR NEWLINE, DOWNWARDS ARROW WITH CORNER LEFTWARDS: a font
    // without them would draw a box.
    const QFontMetrics metrics(font);
    for (const QChar marker : {QChar(0x2424), QChar(0x21B5)}) {
        if (metrics.inFont(marker))
            return marker;
    }
    return QChar(0x00B6);
}

void TraceLineDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The item text turns line feeds into line separators; either would
    // break the one-line-per-row look.
    const QChar marker = lineFeedMarker(option->font);
    option->text.replace(QLatin1Char('\n'), marker);
    option->text.replace(QChar::LineSeparator, marker);
}

} // namespace velmora::app
