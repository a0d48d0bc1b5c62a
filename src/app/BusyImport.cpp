#include "app/BusyImport.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>

namespace velmora::app {

class BusyImport::InputDrop : public QObject {
public:
    InputDrop() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }
};

BusyImport::BusyImport() : drop_(std::make_unique<InputDrop>())
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyImport::~BusyImport()
{
    QApplication::restoreOverrideCursor();
    QCoreApplication::processEvents();
}

} // namespace velmora::app
