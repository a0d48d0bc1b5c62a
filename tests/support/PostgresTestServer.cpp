#include "support/PostgresTestServer.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <stdexcept>

#include "catalogue/drivers/PostgresConnection.h"

namespace velmora::testing {

namespace {

const char* const ServerVariable = "VELMORA_TEST_POSTGRES";

// One statement on a short-lived connection of its own.
void execOn(const catalogue::AliasEntry& server, const QString& sql)
{
    const QString name = QStringLiteral("postgres-test-admin-") + QUuid::createUuid().toString();
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(server.host);
        if (server.port)
            db.setPort(server.port);
        db.setUserName(server.user);
        db.setDatabaseName(server.database);
        if (!db.open())
            error = db.lastError().text();
        else if (QSqlQuery query(db); !query.exec(sql))
            error = query.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty())
        throw std::runtime_error(QStringLiteral("%1: %2").arg(sql, error).toStdString());
}

} // namespace

QString postgresTestServer()
{
    const QString server = qEnvironmentVariable(ServerVariable);
    if (server.isEmpty())
        throw std::runtime_error(std::string(ServerVariable) +
                                 " is not set: run the tests through ctest, which starts a private PostgreSQL "
                                 "cluster (scripts/postgres-cluster.sh; scripts/setup.sh installs PostgreSQL)");
    return server;
}

PostgresScratchSchema::PostgresScratchSchema()
    : schema_(QStringLiteral("velmora_test_") + QUuid::createUuid().toString(QUuid::Id128)),
      oldOptions_(qgetenv("PGOPTIONS")),
      hadOptions_(qEnvironmentVariableIsSet("PGOPTIONS"))
{
    execOn(entry(), QStringLiteral("CREATE SCHEMA %1").arg(schema_));
    qputenv("PGOPTIONS", QStringLiteral("-c search_path=%1").arg(schema_).toUtf8());
}

PostgresScratchSchema::~PostgresScratchSchema()
{
    if (hadOptions_)
        qputenv("PGOPTIONS", oldOptions_);
    else
        qunsetenv("PGOPTIONS");
    try {
        execOn(entry(), QStringLiteral("DROP SCHEMA %1 CASCADE").arg(schema_));
    } catch (...) {
        // a schema left behind disappears with the test cluster
    }
}

catalogue::AliasEntry PostgresScratchSchema::entry() const
{
    return catalogue::parsePostgresConnection(postgresTestServer());
}

QString PostgresScratchSchema::keywords() const
{
    return postgresTestServer();
}

QString PostgresScratchSchema::uri() const
{
    const catalogue::AliasEntry server = entry();
    // A socket folder goes into the query part: host=/tmp/... cannot stand in the authority.
    QString uri = QStringLiteral("postgresql://%1@/%2?host=%3")
                      .arg(server.user, server.database, QString::fromUtf8(QUrl::toPercentEncoding(server.host)));
    if (server.port)
        uri += QStringLiteral("&port=%1").arg(server.port);
    return uri;
}

void PostgresScratchSchema::exec(const QString& sql) const
{
    execOn(entry(), QStringLiteral("SET search_path = %1; %2").arg(schema_, sql));
}

} // namespace velmora::testing
