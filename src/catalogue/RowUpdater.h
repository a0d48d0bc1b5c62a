#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <string_view>

namespace velmora::catalogue {

class Database;

// Rewrites rows of one table picked by their key; a bulk writer's counterpart
// of RowAppender for rows that are there already. The assignments are SQL
// ("Member_Type = ?", or an expression of the stored values) whose "?" take
// the texts set, in order; the key follows them. Runs inside the caller's
// transaction; must go before its database disconnects.
class RowUpdater {
public:
    RowUpdater(Database& database, const QString& table, const QString& keyField, const QStringList& assignments);

    void setText(int position, std::string_view utf8);
    // Throws CatalogueError "Cannot write to the table T: driver message".
    void update(long long key);

private:
    QString table_;
    QSqlQuery statement_;
    int keyPosition_;
};

} // namespace velmora::catalogue
