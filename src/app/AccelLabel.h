#pragma once

#include <QEvent>
#include <QLabel>

namespace velmora::app {

// A label that underlines the letter after "&" and does nothing on Alt with
// it: its focus move belongs to its click handler. A QLabel shows the
// underline only for a buddy, so the label is its own buddy and swallows the
// shortcut.
class AccelLabel : public QLabel {
    Q_OBJECT
public:
    explicit AccelLabel(QWidget* parent = nullptr) : QLabel(parent) { setBuddy(this); }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Shortcut)
            return true;
        return QLabel::event(event);
    }
};

} // namespace velmora::app
