#include "app/controls/DBEdit.h"

#include <QFocusEvent>

#include <algorithm>

#include "app/controls/BoundControlExit.h"

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
    link_.bind(source, field, isReadOnly());
}

void DBEdit::showField()
{
    const int size = link_.bound() ? link_.fieldSize() : 0;
    const QString value = link_.value().toString();
    // A longer stored value (an import keeps names whole) shows whole: only
    // what the user types beyond it is refused, so an edit never cuts it.
    setMaxLength(size > 0 ? std::max(size, int(value.size())) : UnlimitedLength);
    setText(value);
    link_.dropUserChange();
    // A closed table takes no changes.
    setReadOnly(link_.readOnly());
}

void DBEdit::userEdited()
{
    link_.userChangeStarted(this, [this] { showField(); });
}

void DBEdit::commitPending()
{
    link_.commitUserChange(text());
}

void DBEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    leaveBoundControl(this, event->reason(), [this] { commitPending(); }, [this] { emit exited(); },
                      [this] { selectAll(); });
}

} // namespace velmora::app
