#include "app/controls/DBMemo.h"

#include <QFocusEvent>
#include <QScopedValueRollback>

#include "app/controls/BoundControlExit.h"

namespace velmora::app {

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    connect(&link_, &FieldLink::rowChanged, this, &DBMemo::showField);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::textChangedByAnyone);
}

void DBMemo::bind(catalogue::DataSource* source, const QString& field)
{
    link_.bind(source, field, isReadOnly());
}

void DBMemo::showField()
{
    {
        QScopedValueRollback guard(showing_, true);
        setPlainText(link_.value().toString());
    }
    link_.dropUserChange();
    setReadOnly(link_.readOnly());
}

void DBMemo::textChangedByAnyone()
{
    // textChanged has no user-only twin: changes made while showing the field
    // are the program's.
    if (showing_)
        return;
    link_.userChangeStarted(this, [this] { showField(); });
}

void DBMemo::commitPending()
{
    link_.commitUserChange(toPlainText());
}

void DBMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    leaveBoundControl(this, event->reason(), [this] { commitPending(); }, [this] { emit exited(); });
}

} // namespace velmora::app
