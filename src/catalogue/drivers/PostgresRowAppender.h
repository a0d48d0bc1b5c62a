#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <string>
#include <vector>

#include "catalogue/drivers/RowAppender.h"

struct pg_conn;
struct pg_result;

namespace velmora::catalogue {

// The appender on PostgreSQL: the keys of all the rows to come are taken from
// the table's identity sequence in one call, and the rows go to the server by
// COPY in large batches, on the libpq connection Qt opened: a few round trips
// for the whole save instead of one per row. It stores exactly what the Qt SQL
// path stores (texts as Qt converts them).
class PostgresRowAppender : public RowAppender {
public:
    PostgresRowAppender(pg_conn* connection, const QString& table, const QString& keyField, const QStringList& columns,
                        std::size_t rowCount);

    void setInteger(int column, long long value) override;
    void setText(int column, std::string_view utf8) override;
    long long append() override;
    void finish() override;


private:
    void reserveKeys(std::size_t count);
    void sendBatch();
    // result: the failed one, for its SQLSTATE; null when there is none.
    [[noreturn]] void fail(const QString& context, const pg_result* result = nullptr) const;

    pg_conn* connection_;
    QString table_;
    QString keyField_;
    QByteArray copyStatement_;
    std::vector<long long> keys_;
    std::size_t nextKey_ = 0;
    std::vector<std::string> fields_;   // the current row, each field in COPY's text form
    std::string batch_;
};

} // namespace velmora::catalogue
