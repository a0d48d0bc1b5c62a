#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace velmora::catalogue {

struct AliasEntry {
    AliasEntry() = default;
    AliasEntry(QString driverName, QString databaseName)
        : driver(std::move(driverName)), database(std::move(databaseName))
    {
    }

    QString driver;    // Qt SQL driver name: SqlDialect::EmbeddedDriver (embedded file) or PostgresDriver (a server)
    QString database;  // QSQLITE: the catalogue file; QPSQL: the database name
    // QPSQL only; empty ones fall back to libpq's defaults and PG* environment variables.
    QString host;
    int port = 0;
    QString user;
    // Given for one call only (a URI with a password); never written to the alias
    // file: ~/.pgpass and PGPASSWORD supply it otherwise.
    QString password;

    // A catalogue file at path.
    static AliasEntry file(const QString& path);
    // Whether the catalogue is a file rather than a database on a server.
    bool isFile() const;

    // How messages name the catalogue: the file, or user@host:port/database.
    QString label() const;
    // Whether other names the same catalogue: the same file, or the same
    // database on the same server as the same user.
    bool namesSameCatalogue(const AliasEntry& other) const;
};

// The engine's alias file: ${XDG_CONFIG_HOME:-$HOME/.config}/velmora/aliases.ini,
// one section per alias with driver= and database= (and host=, port=, user= for
// a PostgreSQL catalogue).
class AliasRegistry {
public:
    static QString defaultAliasFilePath();
    static QString defaultCatalogueFilePath();   // ${XDG_DATA_HOME:-$HOME/.local/share}/velmora/corvane.sqlite

    explicit AliasRegistry(QString aliasFilePath = defaultAliasFilePath());
    // A registry that answers every lookup with entry and reads no alias file:
    // a catalogue named for one call, the alias file untouched.
    static AliasRegistry fixed(AliasEntry entry);

    // Throws CatalogueError (saying how to create the catalogue with
    // `velmora-cli init`) when the file or the section is missing or incomplete.
    AliasEntry lookup(const QString& alias) const;
    bool contains(const QString& alias) const;
    void registerAlias(const QString& alias, const AliasEntry& entry);  // throws when the file cannot be written

    const QString& filePath() const { return path_; }

private:
    QString path_;
    std::optional<AliasEntry> fixed_;
};

} // namespace velmora::catalogue
