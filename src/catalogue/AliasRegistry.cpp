#include "catalogue/AliasRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "catalogue/CatalogueError.h"
#include "catalogue/drivers/SqlDialect.h"

namespace velmora::catalogue {

namespace {

QString xdgFolder(const char* variable, const QString& fallbackBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::homePath() + QLatin1Char('/') + fallbackBelowHome;
}

QString initHint()
{
    return QStringLiteral("create the catalogue with `velmora-cli init`");
}

const QString HostKey = QStringLiteral("host");
const QString PortKey = QStringLiteral("port");
const QString UserKey = QStringLiteral("user");

} // namespace

AliasEntry AliasEntry::file(const QString& path)
{
    return AliasEntry(SqlDialect::EmbeddedDriver, path);
}

bool AliasEntry::isFile() const
{
    return driver == SqlDialect::EmbeddedDriver;
}

QString AliasEntry::label() const
{
    if (isFile())
        return database;
    QString where = host.isEmpty() ? QStringLiteral("localhost") : host;
    if (port != 0)
        where += QLatin1Char(':') + QString::number(port);
    return (user.isEmpty() ? QString() : user + QLatin1Char('@')) + where + QLatin1Char('/') + database;
}

bool AliasEntry::namesSameCatalogue(const AliasEntry& other) const
{
    if (driver != other.driver)
        return false;
    if (isFile())
        return QDir::cleanPath(QFileInfo(database).absoluteFilePath()) ==
               QDir::cleanPath(QFileInfo(other.database).absoluteFilePath());
    return host == other.host && port == other.port && database == other.database && user == other.user;
}

QString AliasRegistry::defaultAliasFilePath()
{
    return xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/velmora/aliases.ini");
}

QString AliasRegistry::defaultCatalogueFilePath()
{
    return xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/velmora/corvane.sqlite");
}

AliasRegistry::AliasRegistry(QString aliasFilePath) : path_(std::move(aliasFilePath)) {}

AliasRegistry AliasRegistry::fixed(AliasEntry entry)
{
    AliasRegistry registry{QString()};
    registry.fixed_ = std::move(entry);
    return registry;
}

AliasEntry AliasRegistry::lookup(const QString& alias) const
{
    if (fixed_)
        return *fixed_;
    if (!QFileInfo::exists(path_))
        throw CatalogueError(QStringLiteral("The alias %1 is not defined: there is no alias file %2; %3")
                                 .arg(alias, path_, initHint()));
    QSettings settings(path_, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        throw CatalogueError(QStringLiteral("The alias file %1 cannot be read; %2").arg(path_, initHint()));
    if (!settings.childGroups().contains(alias))
        throw CatalogueError(QStringLiteral("The alias %1 is not defined in %2; %3").arg(alias, path_, initHint()));
    settings.beginGroup(alias);
    AliasEntry entry{settings.value(QStringLiteral("driver")).toString().trimmed(),
                     settings.value(QStringLiteral("database")).toString()};
    entry.host = settings.value(HostKey).toString().trimmed();
    entry.user = settings.value(UserKey).toString().trimmed();
    if (const QString port = settings.value(PortKey).toString().trimmed(); !port.isEmpty()) {
        bool ok = false;
        entry.port = port.toInt(&ok);
        if (!ok || entry.port <= 0 || entry.port > 65535)
            throw CatalogueError(QStringLiteral("The alias %1 in %2 names the port '%3', which is no port number")
                                     .arg(alias, path_, port));
    }
    if (entry.driver.isEmpty())
        throw CatalogueError(QStringLiteral("The alias %1 in %2 names no driver; %3").arg(alias, path_, initHint()));
    if (entry.database.isEmpty())
        throw CatalogueError(QStringLiteral("The alias %1 in %2 names no database; %3").arg(alias, path_, initHint()));
    return entry;
}

bool AliasRegistry::contains(const QString& alias) const
{
    if (fixed_)
        return true;
    if (!QFileInfo::exists(path_))
        return false;
    QSettings settings(path_, QSettings::IniFormat);
    return settings.childGroups().contains(alias);
}

void AliasRegistry::registerAlias(const QString& alias, const AliasEntry& entry)
{
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath()))
        throw CatalogueError(QStringLiteral("Cannot create the folder %1 for the alias file").arg(info.absolutePath()));
    QSettings settings(path_, QSettings::IniFormat);
    settings.beginGroup(alias);
    settings.setValue(QStringLiteral("driver"), entry.driver);
    settings.setValue(QStringLiteral("database"), entry.database);
    // The password stays out of the file on purpose.
    const auto setOrRemove = [&settings](const QString& key, const QString& value) {
        if (value.isEmpty())
            settings.remove(key);
        else
            settings.setValue(key, value);
    };
    setOrRemove(HostKey, entry.host);
    setOrRemove(PortKey, entry.port != 0 ? QString::number(entry.port) : QString());
    setOrRemove(UserKey, entry.user);
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw CatalogueError(QStringLiteral("Cannot write the alias file %1").arg(path_));
}

} // namespace velmora::catalogue
