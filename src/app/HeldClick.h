#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;

namespace velmora::app {

// A button press that took the focus from a control whose change then raised
// a question: the button does not click while the question is open (a modal
// box would swallow the release anyway), and clicks once it is answered.
class HeldClick : public QObject {
    Q_OBJECT
public:
    explicit HeldClick(QObject* parent = nullptr) : QObject(parent) {}

    // Watches control's focus changes, to tell a press on a button from Tab.
    void watch(QWidget* control);
    // A question comes up: the button the mouse just gave the focus to, if
    // any, is held.
    void holdPressedButton();
    // The question was answered: the held button clicks.
    void clickHeldButton();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool leftByMouse_ = false;   // the last watched control lost the focus to a mouse press
    QPointer<QAbstractButton> held_;
};

} // namespace velmora::app
