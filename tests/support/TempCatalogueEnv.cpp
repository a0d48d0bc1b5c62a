#include "support/TempCatalogueEnv.h"

#include <QDir>

namespace velmora::testing {

TempCatalogueEnv::TempCatalogueEnv()
    : oldConfig_(qgetenv("XDG_CONFIG_HOME")),
      oldData_(qgetenv("XDG_DATA_HOME")),
      hadConfig_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
      hadData_(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
{
    QDir(dir_.path()).mkpath(QStringLiteral("config"));
    QDir(dir_.path()).mkpath(QStringLiteral("data"));
    qputenv("XDG_CONFIG_HOME", configHome().toUtf8());
    qputenv("XDG_DATA_HOME", dataHome().toUtf8());
}

TempCatalogueEnv::~TempCatalogueEnv()
{
    if (hadConfig_) qputenv("XDG_CONFIG_HOME", oldConfig_); else qunsetenv("XDG_CONFIG_HOME");
    if (hadData_) qputenv("XDG_DATA_HOME", oldData_); else qunsetenv("XDG_DATA_HOME");
}

QString TempCatalogueEnv::configHome() const { return dir_.path() + QStringLiteral("/config"); }
QString TempCatalogueEnv::dataHome() const { return dir_.path() + QStringLiteral("/data"); }
QString TempCatalogueEnv::aliasFile() const { return configHome() + QStringLiteral("/velmora/aliases.ini"); }
QString TempCatalogueEnv::defaultCatalogue() const { return dataHome() + QStringLiteral("/velmora/corvane.sqlite"); }

QString testDataPath(const QString& fileName)
{
    return QStringLiteral(VELMORA_TEST_DATA_DIR) + QLatin1Char('/') + fileName;
}

} // namespace velmora::testing
