#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace velmora::catalogue {

// Everything the catalogue says differently for each Qt SQL driver: the driver
// name, how a connection is set up, how a write starts and ends, the column
// type of a generated key, how an insert reports that key, how text sorts
// byte by byte, and which tables are there. The catalogue lives in an embedded
// SQLite file or on a PostgreSQL server. The rest of the SQL the tables, queries
// and lookups run is standard and shared; PostgreSQL folds unquoted names to
// lower case, so the catalogue's own spelling is read back from CatalogueSchema.
struct SqlDialect {
    static inline const QString EmbeddedDriver = QStringLiteral("QSQLITE");
    static inline const QString PostgresDriver = QStringLiteral("QPSQL");

    QString driver;
    bool databaseIsFile = false;      // a missing file is an error, never silently created
    QString busyTimeoutOption;        // connect option taking the milliseconds; empty: none
    QStringList afterOpen;            // statements run once a connection is open
    // Statements that start, commit and undo a write; empty: Qt's transaction calls.
    QString beginWrite;
    QString commitWrite;
    QString rollbackWrite;
    // Run right after beginWrite by a writer that must not overlap another
    // such writer: it waits for the other's commit, as long as the
    // connection's lock timeout (its busy timeout) allows. Empty where
    // beginWrite already admits one writer at a time.
    QString oneWriterLock;
    QString generatedKey;             // column type of a key the database assigns, never reused
    QString fixedKey;                 // column type of a key the program assigns
    QString byteOrderCollation;       // appended to a text ORDER BY term so that it sorts byte by byte
    QString returningKey;             // appended to an insert so that it returns the new key; empty: lastInsertId
    QString presentTablesQuery;       // lower-case names of the tables the connection writes to
    QString presentIndexesQuery;      // lower-case names of the indexes there

    QString connectOptions(int busyTimeoutMs) const;
    QString byteOrder(const QString& column) const { return column + byteOrderCollation; }
    QString insertReturningKey(const QString& insert, const QString& keyField) const;
    QStringList presentTables(const QSqlDatabase& db) const;   // empty when the database cannot be read

    static const SqlDialect& embedded();
    static const SqlDialect& postgres();
    static const SqlDialect& of(const QSqlDatabase& db) { return forDriver(db.driverName()); }
    // The dialect of driver; a driver without one of its own gets Qt's
    // transaction calls, no options, and its keys declared as on SQLite.
    static const SqlDialect& forDriver(const QString& driver);
};

} // namespace velmora::catalogue
