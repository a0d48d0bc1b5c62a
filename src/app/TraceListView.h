#pragma once

#include <QListView>

namespace velmora::app {

class TraceListModel;

// The trace window's list: the trace lines, with the file line of each line
// that names a row in a gutter at its left, and a way to bring a run of lines
// into view that survives the layouts after it.
class TraceListView : public QListView {
    Q_OBJECT
public:
    explicit TraceListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Scrolls so that lines first to last are in view, each from its start
    // (the first one at the top when they are more than fit), and keeps them
    // there while the list settles: a scroll bar that appears later, a new
    // size. The user moving the list, or a new selection, ends that.
    void reveal(int first, int last);
    bool revealing() const { return revealFirst_ >= 0; }

    int gutterWidth() const;

protected:
    void updateGeometries() override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    class Gutter;

    void applyReveal();
    void endReveal();
    void updateGutterWidth();
    void placeGutter();
    void paintGutter(QPaintEvent* event);

    TraceListModel* lines_ = nullptr;
    Gutter* gutter_;
    int revealFirst_ = -1;
    int revealLast_ = -1;
    bool applying_ = false;
};

} // namespace velmora::app
