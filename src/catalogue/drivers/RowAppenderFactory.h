#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <memory>

#include "catalogue/drivers/RowAppender.h"

namespace velmora::catalogue {

class Database;

// The appender for the database's driver: SQLite connections get the engine's
// own statement API, PostgreSQL ones COPY through libpq; any other Qt SQL
// driver gets a prepared QSqlQuery. rowCount: how many rows are to come (a
// server path takes their keys at once). Throws CatalogueError.
std::unique_ptr<RowAppender> openRowAppender(Database& database, const QString& table, const QString& keyField,
                                             const QStringList& columns, std::size_t rowCount);

} // namespace velmora::catalogue
