#pragma once

#include <exception>
#include <functional>

#include <Qt>

class QWidget;

namespace velmora::app {

// When a data-aware control is left: the reasons that count as leaving it for
// another control of the window. Activation changes and popups do not.
bool isExitReason(Qt::FocusReason reason);

// Shows an error in the application's error box once the current event is
// done: a box must not open in the middle of a focus change.
void reportErrorLater(QWidget* parent, std::exception_ptr error);

// A bound control losing the focus: when it is left for another control of
// the window, its pending change is written, then its exit handler runs. A
// change the field refuses takes the focus back (then afterReclaim runs) and
// the exit handler does not run.
void leaveBoundControl(QWidget* control, Qt::FocusReason reason, const std::function<void()>& commit,
                       const std::function<void()>& runExit, std::function<void()> afterReclaim = {});

// A control whose value could not be written takes the focus back, as if it
// had never been left, and the error is shown. While it does, the control it
// takes the focus from does not count as left.
class FocusReclaim {
public:
    static bool inProgress();
    static void reclaim(QWidget* control, std::function<void()> afterFocus, std::exception_ptr error);
};

} // namespace velmora::app
