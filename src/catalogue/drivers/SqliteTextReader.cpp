#include "catalogue/drivers/SqliteTextReader.h"

#include <sqlite3.h>

#include <QLocale>
#include <QSqlError>
#include <memory>

#include "catalogue/AsciiText.h"
#include "catalogue/CatalogueError.h"
#include "catalogue/drivers/SqlErrors.h"
#include "catalogue/drivers/SqliteRowAppender.h"

namespace velmora::catalogue {

namespace {

[[noreturn]] void fail(sqlite3* connection, int code)
{
    // Query's words for the same failure through the Qt driver.
    throwSqliteError(QStringLiteral("The query failed"), connection, code);
}

// A field as the Qt driver hands it out, then as QVariant::toString reads it.
QString columnText(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return QString();
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return QString::number(sqlite3_column_double(statement, column), 'g', QLocale::FloatingPointShortest);
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
        return QString::fromUtf8(bytes, sqlite3_column_bytes(statement, column));
    }
    default: {
        const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        const int size = sqlite3_column_bytes(statement, column);
        if (isAscii(std::string_view(utf8, std::size_t(size))))
            return QString::fromLatin1(utf8, size);
        // SQLite's own UTF-16, as the driver reads it: malformed bytes convert the same way.
        const auto* text = static_cast<const QChar*>(sqlite3_column_text16(statement, column));
        return QString(text, sqlite3_column_bytes16(statement, column) / qsizetype(sizeof(QChar)));
    }
    }
}

void bind(sqlite3* connection, sqlite3_stmt* statement, const QString& placeholder, const QVariant& value)
{
    const int position = sqlite3_bind_parameter_index(statement, placeholder.toUtf8().constData());
    if (position == 0)
        return;   // as Qt SQL: a value for a placeholder the statement lacks is ignored
    int result = SQLITE_OK;
    if (value.isNull()) {
        result = sqlite3_bind_null(statement, position);
    } else if (value.typeId() == QMetaType::QString) {
        // UTF-16 as the driver binds it.
        const QString text = value.toString();
        result = sqlite3_bind_text16(statement, position, text.utf16(), int(text.size() * sizeof(QChar)),
                                     SQLITE_TRANSIENT);
    } else {
        result = sqlite3_bind_int64(statement, position, value.toLongLong());
    }
    if (result != SQLITE_OK)
        fail(connection, result);
}

} // namespace

sqlite3* SqliteTextReader::connectionOf(const QSqlDatabase& db)
{
    return SqliteRowAppender::nativeHandle(db);
}

QList<QStringList> SqliteTextReader::read(sqlite3* connection, const QString& select, const Bindings& bindings,
                                          const QStringList& fields)
{
    sqlite3_stmt* raw = nullptr;
    const QByteArray sql = select.toUtf8();
    if (const int result = sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &raw, nullptr);
        result != SQLITE_OK)
        fail(connection, result);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    for (const auto& [placeholder, value] : bindings)
        bind(connection, raw, placeholder, value);

    QList<int> positions;
    for (const QString& field : fields) {
        int position = sqlite3_column_count(raw) - 1;
        while (position >= 0
               && field.compare(QString::fromUtf8(sqlite3_column_name(raw, position)), Qt::CaseInsensitive) != 0)
            --position;
        if (position < 0)
            throw CatalogueError(QStringLiteral("The query has no field %1").arg(field));
        positions << position;
    }

    // Each column is read once, however often it is asked for.
    QList<QStringList> texts(fields.size());
    QList<qsizetype> firstAsking(fields.size());
    for (qsizetype i = 0; i < fields.size(); ++i)
        firstAsking[i] = positions.indexOf(positions[i]);
    for (;;) {
        const int result = sqlite3_step(raw);
        if (result == SQLITE_DONE)
            break;
        if (result != SQLITE_ROW)
            fail(connection, result);
        for (qsizetype i = 0; i < fields.size(); ++i)
            if (firstAsking[i] == i)
                texts[i].append(columnText(raw, positions[i]));
    }
    for (qsizetype i = 0; i < fields.size(); ++i)
        texts[i] = texts[firstAsking[i]];
    return texts;
}

} // namespace velmora::catalogue
