#include "app/controls/FieldLink.h"

#include <QScopedValueRollback>

#include "app/controls/BoundControlExit.h"
#include "catalogue/DataSource.h"
#include "catalogue/Table.h"

namespace velmora::app {

using catalogue::Table;

FieldLink::FieldLink(QObject* parent) : QObject(parent) {}

void FieldLink::bind(catalogue::DataSource* source, const QString& field, bool readOnlyByDesign)
{
    readOnlyByDesign_ = readOnlyByDesign;
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    field_ = field;
    if (source_)
        connect(source_, &catalogue::DataSource::currentRowChanged, this, &FieldLink::relayRowChange);
    emit rowChanged();
}

Table* FieldLink::table() const
{
    return source_ ? &source_->table() : nullptr;
}

bool FieldLink::canModify() const
{
    const Table* t = table();
    return t != nullptr && t->active();
}

QVariant FieldLink::value() const
{
    const Table* t = table();
    if (t == nullptr || !t->active() || t->isEmpty())
        return {};
    return t->value(field_);
}

int FieldLink::fieldSize() const
{
    const Table* t = table();
    return t == nullptr ? 0 : t->fieldSize(field_);
}

void FieldLink::beginEdit()
{
    Table* t = table();
    if (t == nullptr)
        return;
    if (t->state() == Table::State::Edit || t->state() == Table::State::Insert)
        return;
    QScopedValueRollback guard(beginningEdit_, true);
    t->edit();
}

void FieldLink::write(const QVariant& value)
{
    Table* t = table();
    if (t == nullptr)
        return;
    beginEdit();
    t->setField(field_, value);
}

void FieldLink::userChangeStarted(QWidget* control, const std::function<void()>& undo)
{
    if (pending_)
        return;
    try {
        beginEdit();
        pending_ = true;
    } catch (...) {
        undo();
        reportErrorLater(control, std::current_exception());
    }
}

void FieldLink::commitUserChange(const QVariant& value)
{
    if (!pending_)
        return;
    write(value);
    pending_ = false;
}

void FieldLink::relayRowChange()
{
    if (!beginningEdit_)
        emit rowChanged();
}

} // namespace velmora::app
