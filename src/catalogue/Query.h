#pragma once

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>

class QSqlQuery;

namespace velmora::catalogue {

class Database;
class SqlDialect;

// The scratch SQL query: statement lines, then open / first / next / eof.
// Values go in as bound parameters (":name" placeholders), never into the text.
class Query {
public:
    explicit Query(Database& database);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    void close();
    void clearSql();             // also forgets the bound values
    void addLine(const QString& line);
    void bindValue(const QString& placeholder, const QVariant& value);
    QString sqlText() const;     // the lines joined by line breaks
    const SqlDialect& dialect() const;   // of the connected database

    void open();                 // runs the statement, forward only; stands on the first row
    void first();
    void next();
    bool eof() const;
    bool active() const;

    // A field the result lacks is an error; an empty result or value reads as 0 / "".
    long long fieldAsInteger(const QString& field) const;
    QString fieldAsString(const QString& field) const;
    QStringList fieldNames() const;   // the result's columns, while open
    QVariant fieldValue(const QString& field) const;   // as the driver gives it: a null QVariant for NULL

    // Runs the statement with its bound values and gives, for each of fields,
    // its texts in row order, each as fieldAsString reads it; the query is
    // closed again. On SQLite the rows come through the engine's own API on
    // the same connection (a list may hold 100,000 entries), elsewhere through
    // the driver. Throws CatalogueError as open() and fieldAsString do.
    QList<QStringList> readTexts(const QStringList& fields);

private:
    void run();
    void release(bool databaseGone);

    Database* db_;
    QStringList lines_;
    std::map<QString, QVariant> bindings_;
    std::unique_ptr<QSqlQuery> query_;
    QString preparedText_;
    QSqlRecord columns_;   // of the open result
    bool active_ = false;
    bool hasRow_ = false;
    bool atFirst_ = false;
};

} // namespace velmora::catalogue
