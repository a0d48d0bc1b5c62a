#include "app/DBMemo.h"

#include <QFocusEvent>
#include <QScopedValueRollback>

#include "app/BoundControlExit.h"

namespace velmora::app {

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    connect(&link_, &FieldLink::rowChanged, this, &DBMemo::showField);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::textChangedByAnyone);
}

void DBMemo::bind(catalogue::DataSource* source, const QString& field)
{
    readOnlyByDesign_ = isReadOnly();
    link_.bind(source, field);
}

void DBMemo::showField()
{
    {
        QScopedValueRollback guard(showing_, true);
        setPlainText(link_.value().toString());
    }
    pending_ = false;
    setReadOnly(readOnlyByDesign_ || !link_.canModify());
}

void DBMemo::textChangedByAnyone()
{
    // textChanged has no user-only twin: changes made while showing the field
    // are the program's.
    if (showing_ || pending_)
        return;
    try {
        link_.beginEdit();
        pending_ = true;
    } catch (...) {
        showField();
        reportErrorLater(this, std::current_exception());
    }
}

void DBMemo::commitPending()
{
    if (!pending_)
        return;
    link_.write(toPlainText());
    pending_ = false;
}

void DBMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (!isExitReason(event->reason()) || FocusReclaim::inProgress())
        return;
    try {
        commitPending();
    } catch (...) {
        FocusReclaim::reclaim(this, nullptr, std::current_exception());
        return;
    }
    try {
        emit exited();
    } catch (...) {
        reportErrorLater(this, std::current_exception());
    }
}

} // namespace velmora::app
