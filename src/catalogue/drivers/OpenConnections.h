#pragma once

#include <QString>
#include <chrono>

struct sqlite3;
struct pg_conn;

namespace velmora::catalogue {

// What the error classification knows of each open connection beyond its
// error: an SQLite file's identity at open and how long the connection waited
// for other programs' locks, a server connection's lock timeout.

// Makes an open SQLite connection wait once for locks, up to timeoutMs in all,
// report extended result codes, and remembers its file's identity.
void watchSqliteConnection(sqlite3* connection, const QString& path, int timeoutMs);
// Makes a server connection's statements give up on a lock after timeoutMs.
void watchPostgresConnection(pg_conn* connection, int timeoutMs);
// Before the connection closes.
void forgetConnection(const void* connection);

// What became of an SQLite connection's file since it was opened.
enum class FileFate { Same, Deleted, Replaced };
FileFate fileFate(sqlite3* connection);
QString filePath(sqlite3* connection);

// How long the connection has waited for locks so far: on SQLite the time
// measured, on a server the lock timeout each statement waits.
std::chrono::milliseconds lockWaited(const void* connection);

} // namespace velmora::catalogue
