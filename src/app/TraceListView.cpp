#include "app/TraceListView.h"

#include <QPainter>
#include <QScrollBar>

#include "app/TraceListModel.h"

namespace velmora::app {

namespace {
constexpr int GutterPadding = 4;
}

// Sits in the list's left margin, beside the viewport: it stays put when the
// lines scroll sideways.
class TraceListView::Gutter : public QWidget {
public:
    explicit Gutter(TraceListView* list) : QWidget(list), list_(list) {}

protected:
    void paintEvent(QPaintEvent* event) override { list_->paintGutter(event); }

private:
    TraceListView* list_;
};

TraceListView::TraceListView(QWidget* parent) : QListView(parent), gutter_(new Gutter(this))
{
    connect(verticalScrollBar(), &QScrollBar::valueChanged, gutter_, qOverload<>(&QWidget::update));
    // A scroll bar moved by the user (dragged, clicked, wheel) ends a reveal;
    // a scroll made by the program does not.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TraceListView::endReveal);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &TraceListView::endReveal);
}

void TraceListView::setModel(QAbstractItemModel* model)
{
    if (lines_)
        disconnect(lines_, nullptr, this, nullptr);
    QListView::setModel(model);
    lines_ = qobject_cast<TraceListModel*>(model);
    if (lines_) {
        connect(lines_, &QAbstractItemModel::rowsInserted, this, &TraceListView::updateGutterWidth);
        connect(lines_, &QAbstractItemModel::modelReset, this, [this] {
            endReveal();
            updateGutterWidth();
        });
    }
    updateGutterWidth();
}

int TraceListView::gutterWidth() const
{
    const std::size_t last = lines_ ? lines_->lastFileLine() : 0;
    if (last == 0)
        return 0;
    const QString widest(QString::number(last).size(), QLatin1Char('9'));
    return fontMetrics().horizontalAdvance(widest) + 2 * GutterPadding;
}

void TraceListView::updateGutterWidth()
{
    setViewportMargins(gutterWidth(), 0, 0, 0);
    placeGutter();
    gutter_->update();
}

void TraceListView::placeGutter()
{
    const QRect area = viewport()->geometry();
    gutter_->setGeometry(area.left() - gutterWidth(), area.top(), gutterWidth(), area.height());
}

void TraceListView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    placeGutter();
}

void TraceListView::paintGutter(QPaintEvent*)
{
    QPainter painter(gutter_);
    painter.fillRect(gutter_->rect(), palette().color(QPalette::Window));
    if (!lines_)
        return;
    QColor number = palette().color(QPalette::Text);
    number.setAlpha(150);
    painter.setPen(number);
    const QModelIndex top = indexAt(QPoint(0, 0));
    const int height = viewport()->height();
    for (int row = top.isValid() ? top.row() : 0; row < model()->rowCount(); ++row) {
        const QRect line = visualRect(model()->index(row, 0));
        if (line.top() >= height)
            break;
        const QVariant fileLine = model()->index(row, 0).data(TraceListModel::FileLineRole);
        if (fileLine.isValid())
            painter.drawText(QRect(0, line.top(), gutter_->width() - GutterPadding, line.height()),
                             Qt::AlignRight | Qt::AlignVCenter, QString::number(fileLine.toULongLong()));
    }
}

void TraceListView::reveal(int first, int last)
{
    revealFirst_ = first;
    revealLast_ = std::max(first, last);
    applyReveal();
}

void TraceListView::applyReveal()
{
    if (revealFirst_ < 0 || applying_ || !model() || revealLast_ >= model()->rowCount())
        return;
    applying_ = true;
    // The last line into view first, then the first: when all do not fit, the
    // first one stays at the top.
    scrollTo(model()->index(revealLast_, 0), EnsureVisible);
    scrollTo(model()->index(revealFirst_, 0), EnsureVisible);
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
    applying_ = false;
}

void TraceListView::endReveal()
{
    revealFirst_ = -1;
    revealLast_ = -1;
}

void TraceListView::updateGeometries()
{
    // Runs after every layout: a horizontal scroll bar that appeared took
    // height from the viewport, which may have pushed the lines out of view.
    QListView::updateGeometries();
    placeGutter();
    applyReveal();
}

void TraceListView::keyPressEvent(QKeyEvent* event)
{
    endReveal();
    QListView::keyPressEvent(event);
}

void TraceListView::mousePressEvent(QMouseEvent* event)
{
    endReveal();
    QListView::mousePressEvent(event);
}

void TraceListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (current.isValid())
        endReveal();
    QListView::currentChanged(current, previous);
}

} // namespace velmora::app
