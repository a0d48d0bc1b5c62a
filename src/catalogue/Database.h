#pragma once

#include <QSqlDatabase>
#include <QString>

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
    bool connected() const;

    const QString& aliasName() const { return alias_; }
    const QString& databaseName() const { return name_; }
    QSqlDatabase handle() const;           // the open connection; throws when not connected

    // A whole import lands in one transaction.
    void beginTransaction();
    void commit();
    void rollback();

private:
    QString alias_;
    QString name_;
    AliasRegistry registry_;
    bool connected_ = false;
};

} // namespace velmora::catalogue
