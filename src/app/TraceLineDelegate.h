#pragma once

#include <QStyledItemDelegate>

namespace velmora::app {

class TraceListModel;

// Draws the trace lines. With uniform item sizes the list asks for one size
// for all rows: it gets that of the longest line, so the list is as wide as
// that line and scrolls sideways to it instead of cutting lines short. A line
// feed inside a line shows as a marker, so each line keeps to one row.
class TraceLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TraceLineDelegate(const TraceListModel& model, QObject* parent = nullptr);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The first of the line-feed symbols the font has; the pilcrow, which
    // every Latin font has, otherwise.
    static QChar lineFeedMarker(const QFont& font);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const TraceListModel& model_;
};

} // namespace velmora::app
