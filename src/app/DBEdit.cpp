#include "app/DBEdit.h"

#include <QFocusEvent>

#include "app/BoundControlExit.h"

namespace velmora::app {

namespace {
constexpr int UnlimitedLength = 32767;   // QLineEdit's own default
}

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(&link_, &FieldLink::rowChanged, this, &DBEdit::showField);
    connect(this, &QLineEdit::textEdited, this, &DBEdit::userEdited);
}

void DBEdit::bind(catalogue::DataSource* source, const QString& field)
{
    readOnlyByDesign_ = isReadOnly();
    link_.bind(source, field);
}

void DBEdit::showField()
{
    const int size = link_.bound() ? link_.fieldSize() : 0;
    setMaxLength(size > 0 ? size : UnlimitedLength);
    setText(link_.value().toString());
    pending_ = false;
    // A closed table takes no changes.
    setReadOnly(readOnlyByDesign_ || !link_.canModify());
}

void DBEdit::userEdited()
{
    if (pending_)
        return;
    try {
        link_.beginEdit();
        pending_ = true;
    } catch (...) {
        showField();
        reportErrorLater(this, std::current_exception());
    }
}

void DBEdit::commitPending()
{
    if (!pending_)
        return;
    link_.write(text());
    pending_ = false;
}

void DBEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!isExitReason(event->reason()) || FocusReclaim::inProgress())
        return;
    try {
        commitPending();
    } catch (...) {
        FocusReclaim::reclaim(this, [this] { selectAll(); }, std::current_exception());
        return;
    }
    try {
        emit exited();
    } catch (...) {
        reportErrorLater(this, std::current_exception());
    }
}

} // namespace velmora::app
