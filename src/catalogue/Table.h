#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace velmora::catalogue {

class Database;
class TableStatements;

// A table component: a cursor over one catalogue table, never a copy of it.
// It holds its state, the current row's key and field values, and whether they
// were changed since the last post. Opening, seeking, posting and refreshing are
// single indexed statements (their texts come from TableStatements), prepared
// once and reused.
class Table {
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Table(Database& database, QString tableName, QString keyField);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const QString& tableName() const { return table_; }
    const QString& keyField() const { return key_; }

    void setIndexFieldNames(const QString& fields);   // "A;B;C"; only while closed

    void open();                 // current row = first row in index order (none when empty)
    void close();                // drops unposted changes
    bool active() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    bool isEmpty() const;        // open and no current row

    // A table that is being edited or inserted into posts its changes before it
    // starts another insert, refreshes or seeks (and drops an unchanged new row).
    void edit();                 // the current row becomes editable; an empty table starts a new row
    void insert();               // a new empty row becomes current
    void append();               // same as insert for a keyed table
    void cancel();               // drops the changes of the row being edited or inserted

    // A closed table reads as empty values; an unknown field throws.
    QVariant value(const QString& field) const;
    long long fieldAsInteger(const QString& field) const;      // 0 for an empty value
    QString fieldAsString(const QString& field) const;
    void setField(const QString& field, const QVariant& value); // marks modified; needs Edit or Insert
    int fieldSize(const QString& field) const;                  // character limit, 0 = none

    // Writes the row; a new row gets its key; back to Browse. A row someone
    // else changed since it was read throws CataloguePostConflictError.
    void post();
    void postOverStoredChanges(); // post() over the row as now stored: the values typed win

    // A change not yet posted, taken out of the table so that it can be posted
    // over a later connection (the catalogue went out of reach meanwhile).
    struct PendingEdit {
        bool newRow = false;
        QVariant key;                         // the edited row's; null for a new row
        QHash<QString, QVariant> typed;       // by field: the values the user set
        QHash<QString, QVariant> typedOver;   // by field: what they were set over
    };
    // The row being edited or inserted with what changed; none when unchanged.
    std::optional<PendingEdit> pendingEdit() const;
    // Edits the kept row again, read anew by its key (or a new row), with the
    // kept values set; false when the row no longer exists. Its post checks
    // them against what they were typed over, as any post does.
    bool resumeEdit(const PendingEdit& edit);
    void refresh();              // re-reads the current row
    bool modified() const { return modified_; }

    // Start key, assign the key field, seek nearest: the current row becomes the
    // first row whose index key is equal to or greater than value (the last row
    // when there is none). Key fields must be leading fields of the index list.
    void setKey();
    void setKeyField(const QString& field, long long value);
    void gotoNearest();

    // Deletes every row and says how many. An open cursor keeps its row and
    // state until it is closed: the caller closes it once the delete is done.
    long long emptyTable();

    // Bound controls listen here (through their DataSource): called when the
    // table opens, closes, moves, refreshes, starts or cancels an insert, posts.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // Bulk writers silence the listener; the last enableControls() calls it once
    // if anything changed meanwhile.
    void disableControls();
    void enableControls();

private:
    struct Cursor;

    Database& db() const;
    TableStatements statements() const;
    void release(bool databaseGone);
    void requireActive(const char* operation) const;
    void checkBrowseMode();
    int fieldPosition(const QString& field) const;
    void notify();

    Database* db_;
    QString table_;
    QString key_;
    QString index_;
    State state_ = State::Inactive;
    bool modified_ = false;
    std::function<void()> listener_;
    int controlsDisabled_ = 0;
    bool changedWhileDisabled_ = false;
    std::unique_ptr<Cursor> cursor_;
};

} // namespace velmora::catalogue
