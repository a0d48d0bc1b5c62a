#include "catalogue/drivers/PostgresConnection.h"

#include <QFileInfo>
#include <libpq-fe.h>
#include <memory>

#include "catalogue/CatalogueError.h"
#include "catalogue/drivers/SqlDialect.h"

namespace velmora::catalogue {

namespace {

struct OptionsDeleter {
    void operator()(PQconninfoOption* options) const { PQconninfoFree(options); }
};

bool isPostgresUri(const QString& text)
{
    return text.startsWith(QStringLiteral("postgresql://")) || text.startsWith(QStringLiteral("postgres://"));
}

// libpq itself decides what its keywords are: "dbname=x" is one of them,
// "./a=b.sqlite" is none.
bool isKeywordString(const QString& text)
{
    if (!text.contains(QLatin1Char('=')))
        return false;
    char* error = nullptr;
    const std::unique_ptr<PQconninfoOption, OptionsDeleter> options(PQconninfoParse(text.toUtf8().constData(), &error));
    PQfreemem(error);
    return options != nullptr;
}

} // namespace

AliasEntry parsePostgresConnection(const QString& connection)
{
    const QByteArray text = connection.trimmed().toUtf8();
    if (text.isEmpty())
        throw CatalogueError(QStringLiteral("The PostgreSQL connection string is empty"));
    char* error = nullptr;
    const std::unique_ptr<PQconninfoOption, OptionsDeleter> options(PQconninfoParse(text.constData(), &error));
    if (!options) {
        const QString reason = error ? QString::fromUtf8(error).trimmed() : QStringLiteral("out of memory");
        PQfreemem(error);
        throw CatalogueError(QStringLiteral("Cannot read the PostgreSQL connection string '%1': %2").arg(connection, reason));
    }

    AliasEntry entry;
    entry.driver = SqlDialect::PostgresDriver;
    for (const PQconninfoOption* option = options.get(); option->keyword; ++option) {
        if (!option->val || !*option->val)
            continue;
        const QString keyword = QString::fromLatin1(option->keyword);
        const QString value = QString::fromUtf8(option->val);
        if (keyword == QStringLiteral("host")) {
            entry.host = value;
        } else if (keyword == QStringLiteral("port")) {
            bool ok = false;
            entry.port = value.toInt(&ok);
            if (!ok || entry.port <= 0 || entry.port > 65535)
                throw CatalogueError(QStringLiteral("The PostgreSQL connection string '%1' names the port '%2', "
                                                    "which is no port number").arg(connection, value));
        } else if (keyword == QStringLiteral("dbname")) {
            entry.database = value;
        } else if (keyword == QStringLiteral("user")) {
            entry.user = value;
        } else if (keyword == QStringLiteral("password")) {
            entry.password = value;
        } else {
            throw CatalogueError(QStringLiteral("The PostgreSQL connection string '%1' sets %2, which the alias cannot "
                                                "keep; set it through libpq's environment variables instead")
                                     .arg(connection, keyword));
        }
    }
    if (entry.database.isEmpty())
        throw CatalogueError(QStringLiteral("The PostgreSQL connection string '%1' names no database").arg(connection));
    return entry;
}

AliasEntry catalogueNamedBy(const QString& value)
{
    if (isPostgresUri(value) || isKeywordString(value))
        return parsePostgresConnection(value);
    return AliasEntry::file(QFileInfo(value).absoluteFilePath());
}

} // namespace velmora::catalogue
