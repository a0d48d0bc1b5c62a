#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

#include "catalogue/drivers/RowAppender.h"

struct sqlite3;
struct sqlite3_stmt;

namespace velmora::catalogue {

// The appender on SQLite: the engine's own prepared statement on the
// connection Qt opened, with none of Qt SQL's per-value conversions. It stores
// exactly what the Qt SQL path stores (texts go in as Qt would convert them).
class SqliteRowAppender : public RowAppender {
public:
    SqliteRowAppender(sqlite3* connection, const QString& table, const QStringList& columns);
    ~SqliteRowAppender() override;
    SqliteRowAppender(const SqliteRowAppender&) = delete;
    SqliteRowAppender& operator=(const SqliteRowAppender&) = delete;

    void setInteger(int column, long long value) override;
    void setText(int column, std::string_view utf8) override;
    long long append() override;

    // The sqlite3* of a Qt SQL connection whose driver is SQLite, or nullptr.
    static sqlite3* nativeHandle(const QSqlDatabase& db);

private:
    sqlite3* connection_;
    sqlite3_stmt* insert_ = nullptr;
    QString table_;
    std::vector<QByteArray> converted_;   // per column: a non-ASCII text as Qt converts it
};

} // namespace velmora::catalogue
