#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <map>

#include "catalogue/AliasRegistry.h"

namespace velmora::catalogue {

// The database component: opens an alias under a database name (the Qt SQL
// connection name) that tables and queries refer to.
class Database {
public:
    Database(QString aliasName, QString databaseName, AliasRegistry registry = AliasRegistry());
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void setConnected(bool connected);    // throws CatalogueError with the driver's message
    // Connects without checking the catalogue's tables and fields, so that a
    // damaged catalogue still opens for a check that says what is wrong.
    void connectForChecking();

    // The open connection; throws when not connected, or when the server broke it off.
    QSqlDatabase handle() const;

    // Throws the gone error when the open catalogue file was deleted or
    // replaced since it was opened; reads alone do not notice it.
    void checkFileStillThere() const;

    // How long a statement waits for another process's lock before it fails.
    // Takes effect at the next connect.
    void setBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }

    // Whether other writers may write beside this transaction. On SQLite a
    // transaction is always the only writer; on a server only those that ask.
    enum class Writers { Alongside, OneAtATime };

    // A whole import lands in one transaction. OneAtATime waits for any other
    // such transaction on the catalogue to end, up to the busy timeout.
    void beginTransaction(Writers writers = Writers::Alongside);
    void commit();
    void rollback();

    // Tables and queries register here so that disconnecting closes them and
    // frees their statements before the connection goes. release(true) means the
    // database object itself is going: forget it.
    void attach(const void* user, std::function<void(bool databaseGone)> release);
    void detach(const void* user);

private:
    void releaseUsers(bool databaseGone);

    QString alias_;
    QString name_;
    AliasRegistry registry_;
    bool connected_ = false;
    bool inTransaction_ = false;
    int busyTimeoutMs_ = 5000;
    std::map<const void*, std::function<void(bool)>> users_;
};

} // namespace velmora::catalogue
