#pragma once

#include <QString>
#include <QStringList>

namespace velmora::catalogue {

// Everything the catalogue says differently for each Qt SQL driver: the driver
// name, how a connection is set up, how a write starts and ends, and the column
// type of a generated key. The embedded SQLite file is the only catalogue today;
// a second driver adds its own dialect to forDriver() and nothing else changes.
// The SQL the tables, queries and lookups run is standard and shared.
struct SqlDialect {
    static inline const QString EmbeddedDriver = QStringLiteral("QSQLITE");

    QString driver;
    bool databaseIsFile = false;      // a missing file is an error, never silently created
    QString busyTimeoutOption;        // connect option taking the milliseconds; empty: none
    QStringList afterOpen;            // statements run once a connection is open
    // Statements that start, commit and undo a write; empty: Qt's transaction calls.
    QString beginWrite;
    QString commitWrite;
    QString rollbackWrite;
    QString generatedKey;             // column type of a key the database assigns, never reused
    QString fixedKey;                 // column type of a key the program assigns

    QString connectOptions(int busyTimeoutMs) const;

    static const SqlDialect& embedded();
    // The dialect of driver; a driver without one of its own gets Qt's
    // transaction calls, no options, and its keys declared as on SQLite.
    static const SqlDialect& forDriver(const QString& driver);
};

} // namespace velmora::catalogue
