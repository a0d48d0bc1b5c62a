#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

class QWidget;

namespace velmora::catalogue {
class DataSource;
class Table;
} // namespace velmora::catalogue

namespace velmora::app {

// A data-aware control's tie to one field of the current row of a data
// source's table: reads the value, puts the table into edit mode when the
// user starts a change, writes the value back, and relays row changes.
class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QObject* parent = nullptr);

    // readOnlyByDesign: the control takes no changes whatever the table's state.
    void bind(catalogue::DataSource* source, const QString& field, bool readOnlyByDesign = false);
    bool bound() const { return !source_.isNull(); }
    catalogue::Table* table() const;

    // The table is open, so the control may take a change.
    bool canModify() const;
    // The control must refuse typing: read-only by design, or the table is closed.
    bool readOnly() const { return readOnlyByDesign_ || !canModify(); }
    // The field of the current row; null when the table is closed or has no row.
    QVariant value() const;
    int fieldSize() const;

    // Edit mode (insert mode on an empty table). The row change that starting
    // an insert announces is not relayed: it would wipe the change that began it.
    void beginEdit();
    void write(const QVariant& value);

    // The user began changing the control's value: the table goes into edit
    // mode once per change. When it cannot, undo restores the control and the
    // error is shown once the current event is done.
    void userChangeStarted(QWidget* control, const std::function<void()>& undo);
    // Writes the user's change, if there is one; throws when the field refuses it.
    void commitUserChange(const QVariant& value);
    // The control shows the field again: no change of the user's is pending.
    void dropUserChange() { pending_ = false; }

signals:
    void rowChanged();

private:
    void relayRowChange();

    QPointer<catalogue::DataSource> source_;
    QString field_;
    bool readOnlyByDesign_ = false;
    bool beginningEdit_ = false;
    bool pending_ = false;
};

} // namespace velmora::app
