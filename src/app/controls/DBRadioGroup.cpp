#include "app/controls/DBRadioGroup.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRadioButton>

#include "app/controls/BoundControlExit.h"

namespace velmora::app {

DBRadioGroup::DBRadioGroup(QWidget* parent) : QGroupBox(parent)
{
    connect(&link_, &FieldLink::rowChanged, this, &DBRadioGroup::showField);
}

void DBRadioGroup::bind(catalogue::DataSource* source, const QString& field)
{
    for (QRadioButton* button : std::as_const(buttons_))
        button->removeEventFilter(this);
    buttons_ = findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (QRadioButton* button : std::as_const(buttons_)) {
        button->installEventFilter(this);
        connect(button, &QAbstractButton::clicked, this, &DBRadioGroup::userChose, Qt::UniqueConnection);
    }
    link_.bind(source, field);
}

int DBRadioGroup::checkedCode() const
{
    for (int code = 0; code < buttons_.size(); ++code)
        if (buttons_[code]->isChecked())
            return code;
    return -1;
}

void DBRadioGroup::showField()
{
    bool isNumber = false;
    const QVariant value = link_.value();
    int code = value.isNull() ? -1 : value.toInt(&isNumber);
    if (!isNumber)
        code = -1;
    for (int i = 0; i < buttons_.size(); ++i) {
        QRadioButton* button = buttons_[i];
        // Auto-exclusive buttons refuse to be unchecked one by one.
        button->setAutoExclusive(false);
        button->setChecked(i == code);
        button->setAutoExclusive(true);
    }
    link_.dropUserChange();
}

bool DBRadioGroup::takesChanges() const
{
    return !readOnly_ && link_.canModify();
}

void DBRadioGroup::userChose()
{
    link_.userChangeStarted(this, [this] { showField(); });
}

void DBRadioGroup::commitPending()
{
    link_.commitUserChange(checkedCode());
}

void DBRadioGroup::leftGroup()
{
    try {
        commitPending();
    } catch (...) {
        QWidget* back = checkedCode() >= 0 ? buttons_[checkedCode()] : buttons_.value(0);
        FocusReclaim::reclaim(back, nullptr, std::current_exception());
    }
}

bool DBRadioGroup::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return !takesChanges();
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // Tab still leaves a group that takes no changes; nothing else moves it.
        const int key = static_cast<QKeyEvent*>(event)->key();
        return !takesChanges() && key != Qt::Key_Tab && key != Qt::Key_Backtab;
    }
    case QEvent::FocusOut: {
        const auto* focus = static_cast<QFocusEvent*>(event);
        // By now the application's focus widget is the one that takes over.
        QWidget* next = QApplication::focusWidget();
        const bool staysInGroup = next != nullptr && isAncestorOf(next);
        if (!staysInGroup && isExitReason(focus->reason()) && !FocusReclaim::inProgress())
            leftGroup();
        break;
    }
    default:
        break;
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace velmora::app
