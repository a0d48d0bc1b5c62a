#include "catalogue/Table.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVector>
#include <map>
#include <unordered_map>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/Database.h"
#include "catalogue/FieldValue.h"
#include "catalogue/TableStatements.h"
#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

// The table's statements and its one row of state. Statements are prepared on
// first use and kept until the index list changes or the connection goes.
struct Table::Cursor {
    QStringList fields;
    QHash<QString, int> positions;
    int keyPosition = -1;
    QStringList order;          // the index field list, split

    QSqlQuery first, last, byKey;
    std::map<int, QSqlQuery> seeks;          // by number of key fields given
    struct Write {
        QSqlQuery query;
        QList<int> columns;                  // positions of the values it binds, in order
    };
    std::unordered_map<quint64, Write> inserts;   // by mask of assigned fields
    std::unordered_map<quint64, Write> updates;

    QVector<QVariant> row;      // the current stored row
    bool hasRow = false;
    QVector<QVariant> buffer;   // the row being edited or inserted
    quint64 assigned = 0;

    bool keyMode = false;
    std::map<int, long long> keyValues;      // by position in the index list

    void dropOrderedStatements()
    {
        first = QSqlQuery();
        last = QSqlQuery();
        seeks.clear();
    }
    void dropAll()
    {
        dropOrderedStatements();
        byKey = QSqlQuery();
        inserts.clear();
        updates.clear();
        fields.clear();
        positions.clear();
        keyPosition = -1;
    }
};

namespace {

QStringList splitFieldList(const QString& list)
{
    QStringList fields;
    for (const QString& part : list.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (const QString field = part.trimmed(); !field.isEmpty())
            fields << field;
    return fields;
}

} // namespace

Table::Table(Database& database, QString tableName, QString keyField)
    : db_(&database), table_(std::move(tableName)), key_(std::move(keyField)), index_(key_),
      cursor_(std::make_unique<Cursor>())
{
    db_->attach(this, [this](bool gone) { release(gone); });
}

Table::~Table()
{
    if (db_)
        db_->detach(this);
}

Database& Table::db() const
{
    if (!db_)
        throw CatalogueError(QStringLiteral("The table %1 has lost its database").arg(table_));
    return *db_;
}

TableStatements Table::statements() const
{
    return TableStatements(SqlDialect::of(db().handle()), table_, key_);
}

void Table::release(bool databaseGone)
{
    const bool wasActive = active();
    state_ = State::Inactive;
    modified_ = false;
    cursor_->hasRow = false;
    cursor_->keyMode = false;
    cursor_->dropAll();
    if (databaseGone)
        db_ = nullptr;
    if (wasActive && !databaseGone)
        notify();
}

void Table::requireActive(const char* operation) const
{
    if (!active())
        throw CatalogueError(QStringLiteral("Cannot %1 the table %2: it is not open").arg(QLatin1String(operation), table_));
}

void Table::notify()
{
    if (controlsDisabled_ > 0) {
        changedWhileDisabled_ = true;
        return;
    }
    if (listener_)
        listener_();
}

void Table::disableControls()
{
    ++controlsDisabled_;
}

void Table::enableControls()
{
    if (controlsDisabled_ == 0 || --controlsDisabled_ > 0)
        return;
    if (changedWhileDisabled_) {
        changedWhileDisabled_ = false;
        notify();
    }
}

void Table::setIndexFieldNames(const QString& fields)
{
    if (active())
        throw CatalogueError(QStringLiteral("Cannot change the index field list of the table %1 while it is open").arg(table_));
    const QString list = fields.trimmed().isEmpty() ? key_ : fields;
    if (list == index_)
        return;
    index_ = list;
    cursor_->dropOrderedStatements();
}

namespace {

QSqlQuery prepared(const QSqlDatabase& db, const QString& statement, const QString& table)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throwSqlError(QStringLiteral("Cannot use the table %1").arg(table), query);
    return query;
}

// Runs a select and makes its first row, if any, the cursor's row. The
// statement is reset at once so that no read lock lingers.
bool readOneRow(QSqlQuery& query, QVector<QVariant>& row, const QString& table)
{
    if (!query.exec())
        throwSqlError(QStringLiteral("Cannot read the table %1").arg(table), query);
    const bool found = query.next();
    if (found)
        for (int i = 0; i < row.size(); ++i)
            row[i] = query.value(i);
    if (query.lastError().isValid())
        throwSqlError(QStringLiteral("Cannot read the table %1").arg(table), query);
    query.finish();
    return found;
}

// Two values of one field as the user sees them: an empty text and NULL differ.
bool sameFieldValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.toString() == b.toString();
}

} // namespace

void Table::open()
{
    if (active())
        return;
    Cursor& c = *cursor_;
    const QSqlDatabase handle = db().handle();
    const TableStatements text = statements();
    if (c.fields.isEmpty()) {
        // The columns as the statement sees them: the same on every driver.
        QSqlQuery probe(handle);
        if (!probe.exec(text.probeColumns()))
            throwSqlError(QStringLiteral("Cannot open the table %1").arg(table_), probe);
        const QSqlRecord record = probe.record();
        probe.finish();
        if (record.isEmpty())
            throw CatalogueError(QStringLiteral("Cannot open the table %1: it does not exist").arg(table_));
        for (int i = 0; i < record.count(); ++i) {
            const QString field = CatalogueSchema::spelling(table_, record.fieldName(i));
            c.fields << field;
            c.positions.insert(field, i);
        }
        if (c.fields.size() > 64)
            throw CatalogueError(QStringLiteral("The table %1 has more fields than the cursor handles").arg(table_));
        c.keyPosition = c.positions.value(key_, -1);
        if (c.keyPosition < 0)
            throw CatalogueError(QStringLiteral("Cannot open the table %1: it has no field %2").arg(table_, key_));
        c.byKey = prepared(handle, text.selectByKey(c.fields), table_);
    }
    if (!c.first.isValid()) {
        c.order = splitFieldList(index_);
        for (const QString& field : c.order)
            if (!c.positions.contains(field))
                throw CatalogueError(QStringLiteral("Cannot order the table %1 by %2: it has no field %3")
                                         .arg(table_, index_, field));
        c.first = prepared(handle, text.selectFirst(c.fields, c.order), table_);
        c.last = prepared(handle, text.selectLast(c.fields, c.order), table_);
    }
    c.row.fill(QVariant(), c.fields.size());
    c.hasRow = readOneRow(c.first, c.row, table_);
    c.keyMode = false;
    modified_ = false;
    state_ = State::Browse;
    notify();
}

void Table::close()
{
    if (!active())
        return;
    state_ = State::Inactive;
    modified_ = false;
    cursor_->hasRow = false;
    cursor_->keyMode = false;
    cursor_->buffer.clear();
    notify();
}

bool Table::isEmpty() const
{
    return active() && !cursor_->hasRow && state_ != State::Insert;
}

void Table::checkBrowseMode()
{
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    if (modified_)
        post();
    else
        cancel();
}

void Table::edit()
{
    requireActive("edit");
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (!cursor_->hasRow) {
        insert();
        return;
    }
    cursor_->buffer = cursor_->row;
    cursor_->assigned = 0;
    modified_ = false;
    state_ = State::Edit;
}

void Table::insert()
{
    requireActive("insert into");
    checkBrowseMode();
    cursor_->buffer.fill(QVariant(), cursor_->fields.size());
    cursor_->assigned = 0;
    modified_ = false;
    state_ = State::Insert;
    notify();
}

void Table::append()
{
    insert();
}

void Table::cancel()
{
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    state_ = State::Browse;
    modified_ = false;
    cursor_->buffer.clear();
    cursor_->assigned = 0;
    notify();   // the controls show the stored row again
}

int Table::fieldPosition(const QString& field) const
{
    const auto found = cursor_->positions.constFind(field);
    if (found == cursor_->positions.constEnd())
        throw CatalogueError(QStringLiteral("The table %1 has no field %2").arg(table_, field));
    return found.value();
}

QVariant Table::value(const QString& field) const
{
    if (!active())
        return {};
    const int position = fieldPosition(field);
    if (state_ == State::Edit || state_ == State::Insert)
        return cursor_->buffer[position];
    return cursor_->hasRow ? cursor_->row[position] : QVariant();
}

long long Table::fieldAsInteger(const QString& field) const
{
    return integerFieldValue(value(field), field);
}

QString Table::fieldAsString(const QString& field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

void Table::setField(const QString& field, const QVariant& value)
{
    if (state_ != State::Edit && state_ != State::Insert)
        throw CatalogueError(QStringLiteral("Cannot set the field %1: the table %2 is not being edited").arg(field, table_));
    const int position = fieldPosition(field);
    cursor_->buffer[position] = value;
    cursor_->assigned |= quint64(1) << position;
    modified_ = true;
}

int Table::fieldSize(const QString& field) const
{
    return CatalogueSchema::fieldSize(table_, field);
}

void Table::post()
{
    requireActive("post to");
    Cursor& c = *cursor_;
    if (state_ == State::Browse)
        return;
    const auto columnsOf = [&c] {
        QList<int> columns;
        for (int i = 0; i < c.fields.size(); ++i)
            if (c.assigned & (quint64(1) << i))
                columns << i;
        return columns;
    };
    const auto namesOf = [&c](const QList<int>& columns) {
        QStringList names;
        for (int i : columns)
            names << c.fields[i];
        return names;
    };
    const auto fail = [this](const QSqlQuery& query) {
        throwSqlError(QStringLiteral("Cannot write to the table %1").arg(table_), query);
    };

    if (state_ == State::Insert) {
        auto statement = c.inserts.find(c.assigned);
        if (statement == c.inserts.end()) {
            const QList<int> columns = columnsOf();
            const QString sql = statements().insertRow(namesOf(columns));
            statement = c.inserts.emplace(c.assigned, Cursor::Write{prepared(db().handle(), sql, table_), columns}).first;
        }
        QSqlQuery& query = statement->second.query;
        const QList<int>& columns = statement->second.columns;
        for (int n = 0; n < columns.size(); ++n)
            query.bindValue(n, c.buffer[columns[n]]);
        if (!query.exec())
            fail(query);
        QVariant key = c.buffer[c.keyPosition];
        if (!(c.assigned & (quint64(1) << c.keyPosition)))
            key = query.next() ? query.value(0) : query.lastInsertId();   // the RETURNING row, where there is one
        query.finish();
        if (!key.isValid()) {
            QSqlQuery latest(db().handle());
            if (!latest.exec(statements().latestKey()) || !latest.next())
                fail(latest);
            key = latest.value(0);
        }
        c.buffer[c.keyPosition] = key;
    } else if (c.assigned != 0) {
        auto statement = c.updates.find(c.assigned);
        if (statement == c.updates.end()) {
            const QList<int> columns = columnsOf();
            const QString sql = statements().updateRow(namesOf(columns));
            statement = c.updates.emplace(c.assigned, Cursor::Write{prepared(db().handle(), sql, table_), columns}).first;
        }
        QSqlQuery& query = statement->second.query;
        const QList<int>& columns = statement->second.columns;
        for (int n = 0; n < columns.size(); ++n)
            query.bindValue(n, c.buffer[columns[n]]);
        query.bindValue(int(columns.size()), c.row[c.keyPosition]);
        for (int n = 0; n < columns.size(); ++n)
            query.bindValue(int(columns.size()) + 1 + n, c.row[columns[n]]);
        if (!query.exec())
            fail(query);
        const int affected = query.numRowsAffected();
        query.finish();
        QVector<QVariant> stored(c.fields.size());
        c.byKey.bindValue(0, c.row[c.keyPosition]);
        if (!readOneRow(c.byKey, stored, table_))
            throw CatalogueError(QStringLiteral("Cannot write to the table %1: its current row no longer exists").arg(table_));
        if (affected == 0) {
            QList<CataloguePostConflictError::Difference> differences;
            for (int i : columns)
                if (!sameFieldValue(stored[i], c.buffer[i]))
                    differences.append({c.fields[i], stored[i], c.buffer[i]});
            if (!differences.isEmpty())
                throw CataloguePostConflictError(table_, differences);
            // They stored what was typed: the row as stored is the row posted.
            c.buffer = stored;
        } else {
            // Fields the user left alone may have been changed by someone else meanwhile.
            for (int i = 0; i < c.fields.size(); ++i)
                if (!(c.assigned & (quint64(1) << i)))
                    c.buffer[i] = stored[i];
        }
    }
    c.row.swap(c.buffer);   // the old row's storage serves the next edit
    c.hasRow = true;
    c.assigned = 0;
    modified_ = false;
    state_ = State::Browse;
    notify();
}

void Table::postOverStoredChanges()
{
    requireActive("post to");
    Cursor& c = *cursor_;
    if (state_ == State::Edit) {
        // The row as stored now becomes the row read; a row gone stays gone.
        c.byKey.bindValue(0, c.row[c.keyPosition]);
        if (readOneRow(c.byKey, c.row, table_))
            for (int i = 0; i < c.fields.size(); ++i)
                if (!(c.assigned & (quint64(1) << i)))
                    c.buffer[i] = c.row[i];
    }
    post();
}

std::optional<Table::PendingEdit> Table::pendingEdit() const
{
    if (!modified_ || (state_ != State::Edit && state_ != State::Insert))
        return std::nullopt;
    const Cursor& c = *cursor_;
    PendingEdit edit;
    edit.newRow = state_ == State::Insert;
    if (!edit.newRow)
        edit.key = c.row[c.keyPosition];
    for (int i = 0; i < c.fields.size(); ++i) {
        if (!(c.assigned & (quint64(1) << i)))
            continue;
        edit.typed.insert(c.fields[i], c.buffer[i]);
        if (!edit.newRow)
            edit.typedOver.insert(c.fields[i], c.row[i]);
    }
    return edit;
}

bool Table::resumeEdit(const PendingEdit& edit)
{
    requireActive("edit");
    checkBrowseMode();
    if (edit.newRow) {
        insert();
    } else {
        Cursor& c = *cursor_;
        QVector<QVariant> stored(c.fields.size());
        c.byKey.bindValue(0, edit.key);
        if (!readOneRow(c.byKey, stored, table_))
            return false;
        // Someone else's change since is found by the post, as it would have been then.
        for (auto field = edit.typedOver.cbegin(); field != edit.typedOver.cend(); ++field)
            stored[fieldPosition(field.key())] = field.value();
        c.row = stored;
        c.hasRow = true;
        c.buffer = c.row;
        c.assigned = 0;
        state_ = State::Edit;
    }
    for (auto field = edit.typed.cbegin(); field != edit.typed.cend(); ++field)
        setField(field.key(), field.value());
    notify();
    return true;
}

void Table::refresh()
{
    requireActive("refresh");
    checkBrowseMode();
    Cursor& c = *cursor_;
    bool found = false;
    if (c.hasRow) {
        c.byKey.bindValue(0, c.row[c.keyPosition]);
        found = readOneRow(c.byKey, c.row, table_);
    }
    if (!found)
        c.hasRow = readOneRow(c.first, c.row, table_);
    notify();
}

void Table::setKey()
{
    requireActive("search");
    checkBrowseMode();
    cursor_->keyMode = true;
    cursor_->keyValues.clear();
}

void Table::setKeyField(const QString& field, long long value)
{
    if (!cursor_->keyMode)
        throw CatalogueError(QStringLiteral("Cannot assign the key field %1 of the table %2: no key was started")
                                 .arg(field, table_));
    const int position = int(cursor_->order.indexOf(field));
    if (position < 0)
        throw CatalogueError(QStringLiteral("The field %1 is not in the index field list %2 of the table %3")
                                 .arg(field, index_, table_));
    cursor_->keyValues[position] = value;
}

void Table::gotoNearest()
{
    requireActive("search");
    Cursor& c = *cursor_;
    if (!c.keyMode)
        throw CatalogueError(QStringLiteral("Cannot search the table %1: no key was started").arg(table_));
    c.keyMode = false;
    const int count = int(c.keyValues.size());
    if (count > 0 && c.keyValues.rbegin()->first != count - 1)
        throw CatalogueError(QStringLiteral("The key of the table %1 must give the leading fields of %2")
                                 .arg(table_, index_));
    QSqlQuery* seek = &c.first;
    if (count > 0) {
        auto statement = c.seeks.find(count);
        if (statement == c.seeks.end()) {
            const QString sql = statements().selectNearest(c.fields, c.order, count);
            statement = c.seeks.emplace(count, prepared(db().handle(), sql, table_)).first;
        }
        seek = &statement->second;
        for (const auto& [position, value] : c.keyValues)
            seek->bindValue(position, value);
    }
    c.hasRow = readOneRow(*seek, c.row, table_);
    if (!c.hasRow)
        c.hasRow = readOneRow(c.last, c.row, table_);   // past the end: the last row
    notify();
}

long long Table::emptyTable()
{
    QSqlQuery query(db().handle());
    if (!query.exec(statements().deleteAllRows()))
        throwSqlError(QStringLiteral("Cannot empty the table %1").arg(table_), query);
    return query.numRowsAffected();
}

} // namespace velmora::catalogue
