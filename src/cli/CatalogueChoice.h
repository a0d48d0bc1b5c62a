#pragma once

#include <QString>

#include "catalogue/AliasRegistry.h"

namespace velmora::cli {

struct CommandContext;

// The catalogue a command works on: the one the alias Corvane names, or, for
// one call, the one the global option --catalogue names (the alias file is
// then neither read nor written).
catalogue::AliasRegistry catalogueRegistry(const CommandContext& context);

// What is wrong with a --catalogue value, or an empty string. It takes the path
// of an SQLite catalogue file, or a PostgreSQL URI or keyword string, which
// libpq reads (catalogue::catalogueNamedBy).
QString catalogueOptionMistake(const QString& value);

// Throws CatalogueError when entry carries a password: the alias file never
// keeps one (~/.pgpass and PGPASSWORD do). written: the value as given.
void refuseStoredPassword(const catalogue::AliasEntry& entry, const QString& written);

} // namespace velmora::cli
