#include "catalogue/drivers/SqliteRowAppender.h"

#include <sqlite3.h>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <cstring>

#include "catalogue/AsciiText.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

sqlite3* SqliteRowAppender::nativeHandle(const QSqlDatabase& db)
{
    // Debian's QSQLITE driver is linked to the same system libsqlite3 as we are,
    // so the handle it gives out is one our calls may use.
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || std::strcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

SqliteRowAppender::SqliteRowAppender(sqlite3* connection, const QString& table, const QStringList& columns)
    : connection_(connection), table_(table), converted_(static_cast<std::size_t>(columns.size()))
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))
                               .toUtf8();
    if (const int result = sqlite3_prepare_v2(connection_, sql.constData(), static_cast<int>(sql.size()), &insert_, nullptr);
        result != SQLITE_OK)
        throwSqliteError(QStringLiteral("Cannot use the table %1").arg(table_), connection_, result);
}

SqliteRowAppender::~SqliteRowAppender()
{
    sqlite3_finalize(insert_);
}

void SqliteRowAppender::setInteger(int column, long long value)
{
    sqlite3_bind_int64(insert_, column + 1, value);
}

void SqliteRowAppender::setText(int column, std::string_view utf8)
{
    if (!isAscii(utf8)) {
        // Stored as the Qt SQL path stores it: malformed sequences become U+FFFD.
        QByteArray& text = converted_[static_cast<std::size_t>(column)];
        text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUtf8();
        utf8 = std::string_view(text.constData(), static_cast<std::size_t>(text.size()));
    }
    // The caller keeps the text until append(): no copy.
    sqlite3_bind_text(insert_, column + 1, utf8.empty() ? "" : utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
}

long long SqliteRowAppender::append()
{
    const int result = sqlite3_step(insert_);
    sqlite3_reset(insert_);
    if (result != SQLITE_DONE)
        throwSqliteError(QStringLiteral("Cannot write to the table %1").arg(table_), connection_, result);
    return sqlite3_last_insert_rowid(connection_);
}

} // namespace velmora::catalogue
