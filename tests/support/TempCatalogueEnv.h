#pragma once

#include <QString>
#include <QTemporaryDir>

namespace velmora::testing {

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at a fresh temporary folder for the
// lifetime of the object, so alias files and catalogues never touch the user's.
class TempCatalogueEnv {
public:
    TempCatalogueEnv();
    ~TempCatalogueEnv();
    TempCatalogueEnv(const TempCatalogueEnv&) = delete;
    TempCatalogueEnv& operator=(const TempCatalogueEnv&) = delete;

    QString root() const { return dir_.path(); }
    QString configHome() const;
    QString dataHome() const;
    QString aliasFile() const;       // <config>/velmora/aliases.ini
    QString defaultCatalogue() const; // <data>/velmora/corvane.sqlite

private:
    QTemporaryDir dir_;
    QByteArray oldConfig_;
    QByteArray oldData_;
    bool hadConfig_ = false;
    bool hadData_ = false;
};

QString testDataPath(const QString& fileName);

} // namespace velmora::testing
