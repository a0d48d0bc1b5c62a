#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace velmora::catalogue {

class Database;

// The scratch SQL query: statement lines, then open / first / next / eof.
// Values go in as bound parameters (":name" placeholders), never into the text.
class Query {
public:
    explicit Query(Database& database);
    ~Query();

    void close();
    void clearSql();
    void addLine(const QString& line);
    void bindValue(const QString& placeholder, const QVariant& value);
    QString sqlText() const;     // the lines joined by line breaks

    void open();                 // runs the statement, forward only
    void first();
    void next();
    bool eof() const;
    bool active() const;

    long long fieldAsInteger(const QString& field) const;  // 0 for an empty result or value
    QString fieldAsString(const QString& field) const;
};

} // namespace velmora::catalogue
