#pragma once

#include <QSqlDatabase>
#include <QString>
#include <vector>

namespace velmora::catalogue {

struct SqlDialect;

// The physical layout of the catalogue: four tables, their fields in order, the
// indexes the browser's lookups and orderings use, and the foundation classes.
class CatalogueSchema {
public:
    enum class Kind { Key, Integer, Text };

    struct Field {
        QString name;
        Kind kind;
        int size;    // character limit the edit controls enforce, 0 = none
    };

    struct TableLayout {
        QString name;
        QString keyField;
        std::vector<Field> fields;   // in column order, key first
    };

    struct IndexLayout {
        QString name;
        QString table;
        QString fields; // as CREATE INDEX lists them
        bool unique;
    };

    // Names are identifiers; the edit fields keep them to this many characters.
    static constexpr int NameSize = 255;

    static const std::vector<TableLayout>& tables();
    // The indexes besides each table's key, which the browser's lookups and lists use.
    static const std::vector<IndexLayout>& indexes();
    static const TableLayout* table(const QString& name);
    static int fieldSize(const QString& table, const QString& field);
    // The field's name as the catalogue spells it; PostgreSQL reports names in lower case.
    static QString spelling(const QString& table, const QString& field);
    static const QStringList& foundationClassNames();

    // Creates the tables, indexes and foundation-class rows in one transaction.
    // Throws CatalogueError (with the driver's message) and leaves nothing behind.
    static void create(QSqlDatabase& db);

    // True when a file holds no table at all (new or zero length), or a server
    // database none of the catalogue's tables.
    static bool isBlank(const QSqlDatabase& db);

    // Throws CatalogueError naming the first missing table or field, or a file
    // cut short, or the driver's message when the file cannot be read as a
    // catalogue at all.
    static void check(const QSqlDatabase& db, const QString& label);
    // The first missing table or field as a finding ("the table Structures is
    // missing"), empty when none; throws as check() does for everything else.
    static QString missingPart(const QSqlDatabase& db, const QString& label);

    static QStringList createStatements(const SqlDialect& dialect);
};

} // namespace velmora::catalogue
