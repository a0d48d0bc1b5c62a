#pragma once

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace velmora::app {

// A label that underlines the letter after "&" and does nothing on Alt with
// it: its focus move belongs to its click handler. A QLabel shows the
// underline only for a buddy, so the label is its own buddy and swallows the
// shortcut. A press of the left mouse button is its click.
class AccelLabel : public QLabel {
    Q_OBJECT
public:
    explicit AccelLabel(QWidget* parent = nullptr) : QLabel(parent) { setBuddy(this); }

signals:
    void clicked();

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Shortcut)
            return true;
        return QLabel::event(event);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) {
            QLabel::mousePressEvent(event);
            return;
        }
        event->accept();
        emit clicked();
    }

    // A double click is no second click: it goes on to the parent as a plain label's would.
    void mouseDoubleClickEvent(QMouseEvent* event) override { QLabel::mousePressEvent(event); }
};

} // namespace velmora::app
