#pragma once

#include <exception>
#include <utility>

#include <QWidget>

#include "app/MessageBox.h"

namespace velmora::app {

// Runs an event handler; an error it raises ends it and is shown in the
// application's error box, as the application's notify would, but without
// unwinding through Qt's own frames.
template <typename Handler>
void runHandler(QWidget* window, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        MessageBox::showError(window, errorBoxText(std::current_exception()));
    }
}

} // namespace velmora::app
