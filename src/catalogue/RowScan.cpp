#include "catalogue/RowScan.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <memory>
#include <vector>

#include "catalogue/Database.h"
#include "catalogue/drivers/SqlErrors.h"
#include "catalogue/drivers/SqliteRowAppender.h"

namespace velmora::catalogue {

namespace {

const QString ReadContext = QStringLiteral("Cannot read the catalogue");

[[noreturn]] void failOn(sqlite3* connection, int code)
{
    throwSqliteError(ReadContext, connection, code);
}

class SqliteRow : public ScannedRow {
public:
    explicit SqliteRow(sqlite3_stmt* statement) : statement_(statement) {}
    long long integer(int column) const override { return sqlite3_column_int64(statement_, column); }
    std::string_view text(int column) const override
    {
        const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return utf8 ? std::string_view(utf8, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                    : std::string_view();
    }

private:
    sqlite3_stmt* statement_;
};

void scanSqlite(sqlite3* connection, const QString& select, const QVariantList& bindings,
                const std::function<void(const ScannedRow&)>& each)
{
    sqlite3_stmt* raw = nullptr;
    const QByteArray sql = select.toUtf8();
    if (const int result = sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &raw, nullptr);
        result != SQLITE_OK)
        failOn(connection, result);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    std::vector<QByteArray> texts;   // kept until the statement is done with them
    for (int i = 0; i < bindings.size(); ++i) {
        const QVariant& value = bindings[i];
        int result = SQLITE_OK;
        if (value.typeId() == QMetaType::QString) {
            texts.push_back(value.toString().toUtf8());
            result = sqlite3_bind_text(raw, i + 1, texts.back().constData(), int(texts.back().size()), SQLITE_STATIC);
        } else {
            result = sqlite3_bind_int64(raw, i + 1, value.toLongLong());
        }
        if (result != SQLITE_OK)
            failOn(connection, result);
    }
    const SqliteRow row(raw);
    for (;;) {
        const int result = sqlite3_step(raw);
        if (result == SQLITE_DONE)
            return;
        if (result != SQLITE_ROW)
            failOn(connection, result);
        each(row);
    }
}

class QtSqlRow : public ScannedRow {
public:
    explicit QtSqlRow(const QSqlQuery& query) : query_(query) {}
    void next(int columns)
    {
        texts_.assign(static_cast<std::size_t>(columns), QByteArray());
        read_.assign(static_cast<std::size_t>(columns), false);
    }
    long long integer(int column) const override { return query_.value(column).toLongLong(); }
    std::string_view text(int column) const override
    {
        const auto at = static_cast<std::size_t>(column);
        if (!read_[at]) {
            const QVariant value = query_.value(column);
            texts_[at] = value.isNull() ? QByteArray() : value.toString().toUtf8();
            read_[at] = true;
        }
        return std::string_view(texts_[at].constData(), static_cast<std::size_t>(texts_[at].size()));
    }

private:
    const QSqlQuery& query_;
    mutable std::vector<QByteArray> texts_;
    mutable std::vector<bool> read_;
};

} // namespace

void scanRows(Database& database, const QString& select, const QVariantList& bindings,
              const std::function<void(const ScannedRow&)>& each)
{
    const QSqlDatabase db = database.handle();
    if (sqlite3* connection = SqliteRowAppender::nativeHandle(db))
        return scanSqlite(connection, select, bindings, each);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(select))
        throwSqlError(ReadContext, query);
    for (const QVariant& value : bindings)
        query.addBindValue(value);
    if (!query.exec())
        throwSqlError(ReadContext, query);
    QtSqlRow row(query);
    const int columns = query.record().count();
    while (query.next()) {
        row.next(columns);
        each(row);
    }
    if (query.lastError().isValid())
        throwSqlError(ReadContext, query);
}

} // namespace velmora::catalogue
