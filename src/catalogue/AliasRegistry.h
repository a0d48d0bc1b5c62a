#pragma once

#include <QString>

namespace velmora::catalogue {

struct AliasEntry {
    QString driver;    // Qt SQL driver name (SqlDialect::EmbeddedDriver for the embedded catalogue)
    QString database;  // for the embedded catalogue: its file
};

// The engine's alias file: ${XDG_CONFIG_HOME:-$HOME/.config}/velmora/aliases.ini,
// one section per alias with driver= and database=.
class AliasRegistry {
public:
    static QString defaultAliasFilePath();
    static QString defaultCatalogueFilePath();   // ${XDG_DATA_HOME:-$HOME/.local/share}/velmora/corvane.sqlite

    explicit AliasRegistry(QString aliasFilePath = defaultAliasFilePath());

    // Throws CatalogueError (saying how to create the catalogue with
    // `velmora-cli init`) when the file or the section is missing or incomplete.
    AliasEntry lookup(const QString& alias) const;
    bool contains(const QString& alias) const;
    void registerAlias(const QString& alias, const AliasEntry& entry);  // throws when the file cannot be written

    const QString& filePath() const { return path_; }

private:
    QString path_;
};

} // namespace velmora::catalogue
