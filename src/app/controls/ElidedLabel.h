#pragma once

#include <QLabel>

namespace velmora::app {

// A one-line status label: a caption wider than the label is painted elided
// in the middle, so its start and its end (a file name) both show, and the
// whole caption is the label's tooltip. A caption with a counter ("#5") keeps
// everything up to the counter and elides what follows it. text() stays the
// caption as set.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The caption as painted: elided when it does not fit.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

} // namespace velmora::app
