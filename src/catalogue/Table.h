#pragma once

#include <QString>
#include <QVariant>
#include <QStringList>
#include <functional>
#include <map>

namespace velmora::catalogue {

class Database;

// A table component: a cursor over one catalogue table, never a copy of it.
// It holds its state, the current row's key and field values, and whether they
// were changed since the last post. Opening, seeking, posting and refreshing are
// single indexed statements.
class Table {
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Table(Database& database, QString tableName, QString keyField);

    const QString& tableName() const { return table_; }
    const QString& keyField() const { return key_; }

    void setIndexFieldNames(const QString& fields);   // "A;B;C"; only while closed
    const QString& indexFieldNames() const { return index_; }

    void open();                 // current row = first row in index order (none when empty)
    void close();                // drops unposted changes
    bool active() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    bool isEmpty() const;        // open and no current row

    long long recordCount() const;

    void edit();                 // the current row becomes editable
    void insert();               // a new empty row becomes current
    void append();               // same as insert for a keyed table

    QVariant value(const QString& field) const;                // throws for an unknown field
    long long fieldAsInteger(const QString& field) const;      // 0 for an empty value
    QString fieldAsString(const QString& field) const;
    void setField(const QString& field, const QVariant& value); // marks modified; needs Edit or Insert
    int fieldSize(const QString& field) const;                  // character limit, 0 = none

    void post();                 // writes the row; a new row gets its key; back to Browse
    void refresh();              // re-reads the current row
    bool modified() const { return modified_; }

    // Start key, assign the key field, seek nearest: the current row becomes the
    // first row whose index key is equal to or greater than value.
    void setKey();
    void setKeyField(const QString& field, long long value);
    void gotoNearest();

    void emptyTable();           // deletes every row; only while closed

    // Bound controls listen here (through their DataSource).
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    // implementation detail left to the engine code
    Database& db_;
    QString table_;
    QString key_;
    QString index_;
    State state_ = State::Inactive;
    bool modified_ = false;
    std::function<void()> listener_;
};

} // namespace velmora::catalogue
