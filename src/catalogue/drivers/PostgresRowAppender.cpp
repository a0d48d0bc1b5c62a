#include "catalogue/drivers/PostgresRowAppender.h"

#include <libpq-fe.h>

#include <QSqlDriver>
#include <QString>
#include <QVariant>
#include <charconv>
#include <cstring>
#include <memory>

#include "catalogue/CatalogueError.h"
#include "catalogue/TabSeparatedText.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

namespace {

// Rows are sent once this much COPY text has gathered.
constexpr std::size_t BatchBytes = 8 * 1024 * 1024;

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

void appendNumber(std::string& out, long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

} // namespace

PostgresRowAppender::PostgresRowAppender(pg_conn* connection, const QString& table, const QString& keyField,
                                         const QStringList& columns, std::size_t rowCount)
    : connection_(connection), table_(table), keyField_(keyField), fields_(static_cast<std::size_t>(columns.size()))
{
    copyStatement_ = QStringLiteral("COPY %1 (%2, %3) FROM STDIN")
                         .arg(table, keyField, columns.join(QStringLiteral(", ")))
                         .toUtf8();
    reserveKeys(rowCount);
}

void PostgresRowAppender::reserveKeys(std::size_t count)
{
    // nextval() hands each number out once, whatever other sessions do at the
    // same moment and whether or not this transaction commits.
    keys_.clear();
    nextKey_ = 0;
    if (count == 0)
        return;
    const QByteArray table = table_.toUtf8();
    // A column name is taken literally there: the server's spelling is lower case.
    const QByteArray key = keyField_.toLower().toUtf8();
    const std::string rows = std::to_string(count);
    const char* values[] = {table.constData(), key.constData(), rows.c_str()};
    const Result result(PQexecParams(connection_,
                                     "SELECT nextval(pg_get_serial_sequence($1, $2)) FROM generate_series(1, $3::bigint)",
                                     3, nullptr, values, nullptr, nullptr, 0));
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        fail(QStringLiteral("Cannot use the table %1").arg(table_), result.get());
    keys_.reserve(count);
    for (int row = 0; row < PQntuples(result.get()); ++row)
        keys_.push_back(std::strtoll(PQgetvalue(result.get(), row, 0), nullptr, 10));
}

void PostgresRowAppender::setInteger(int column, long long value)
{
    std::string& field = fields_[static_cast<std::size_t>(column)];
    field.clear();
    appendNumber(field, value);
}

void PostgresRowAppender::setText(int column, std::string_view utf8)
{
    std::string& field = fields_[static_cast<std::size_t>(column)];
    field.clear();
    if (utf8.find('\0') != std::string_view::npos) {
        // The server's texts cannot hold it; refused at once, so the row named last is the one.
        throw CatalogueError(QStringLiteral("Cannot write to the table %1: a text holds a NUL character, "
                                            "which PostgreSQL cannot store")
                                 .arg(table_));
    }
    if (isAscii(utf8)) {
        appendTabEscaped(field, utf8);
        return;
    }
    // Stored as the Qt SQL path stores it: malformed sequences become U+FFFD.
    const QByteArray text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUtf8();
    appendTabEscaped(field, std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

long long PostgresRowAppender::append()
{
    if (nextKey_ == keys_.size())
        reserveKeys(1);   // more rows than announced
    const long long key = keys_[nextKey_++];
    appendNumber(batch_, key);
    for (const std::string& field : fields_) {
        batch_ += '\t';
        batch_ += field;
    }
    batch_ += '\n';
    if (batch_.size() >= BatchBytes)
        sendBatch();
    return key;
}

void PostgresRowAppender::finish()
{
    if (!batch_.empty())
        sendBatch();
}

void PostgresRowAppender::sendBatch()
{
    const QString context = QStringLiteral("Cannot write to the table %1").arg(table_);
    {
        const Result start(PQexec(connection_, copyStatement_.constData()));
        if (PQresultStatus(start.get()) != PGRES_COPY_IN)
            fail(context, start.get());
    }
    const bool sent = PQputCopyData(connection_, batch_.data(), static_cast<int>(batch_.size())) == 1;
    if (PQputCopyEnd(connection_, sent ? nullptr : "the rows could not be sent") != 1)
        fail(context);
    batch_.clear();
    Result failed;
    // The COPY's outcome, then the end of its results.
    while (PGresult* raw = PQgetResult(connection_)) {
        Result result(raw);
        if (PQresultStatus(raw) != PGRES_COMMAND_OK && !failed)
            failed = std::move(result);
    }
    if (failed)
        fail(context, failed.get());
}

void PostgresRowAppender::fail(const QString& context, const pg_result* result) const
{
    throwPostgresError(context, connection_, result);
}

} // namespace velmora::catalogue
