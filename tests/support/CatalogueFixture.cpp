#include "support/CatalogueFixture.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <stdexcept>

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/drivers/SqlDialect.h"

namespace velmora::testing {

RawCatalogue::RawCatalogue(const QString& path, const QString& name)
    : name_(name.isEmpty() ? QStringLiteral("raw-") + QUuid::createUuid().toString() : name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(catalogue::SqlDialect::EmbeddedDriver, name_);
    db.setDatabaseName(path);
    if (!db.open())
        throw std::runtime_error(db.lastError().text().toStdString());
}

RawCatalogue::RawCatalogue(const catalogue::AliasEntry& entry, const QString& name)
    : name_(name.isEmpty() ? QStringLiteral("raw-") + QUuid::createUuid().toString() : name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(entry.driver, name_);
    db.setDatabaseName(entry.database);
    db.setHostName(entry.host);
    if (entry.port)
        db.setPort(entry.port);
    db.setUserName(entry.user);
    if (!db.open())
        throw std::runtime_error(db.lastError().text().toStdString());
}

RawCatalogue::~RawCatalogue()
{
    { QSqlDatabase::database(name_, false).close(); }
    QSqlDatabase::removeDatabase(name_);
}

namespace {

bool prepareAndExec(QSqlQuery& q, const QString& sql, const QVariantList& values)
{
    if (values.isEmpty())
        return q.exec(sql);   // PostgreSQL prepares no DDL
    if (!q.prepare(sql))
        return false;
    for (const QVariant& value : values)
        q.addBindValue(value);
    return q.exec();
}

} // namespace

bool RawCatalogue::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(QSqlDatabase::database(name_, false));
    bool ok = prepareAndExec(q, sql, values);
    lastError_ = q.lastError().text();
    // A RETURNING row where the driver needs one. PostgreSQL's lastInsertId
    // asks for lastval(), whose failure would abort an open transaction.
    const bool onServer = q.driver() && q.driver()->dbmsType() == QSqlDriver::PostgreSQL;
    lastInsertId_ = ok && q.next() ? q.value(0) : onServer ? QVariant() : q.lastInsertId();
    return ok;
}

QStringList RawCatalogue::rows(const QString& sql, const QVariantList& values)
{
    QStringList out;
    QSqlQuery q(QSqlDatabase::database(name_, false));
    bool ok = prepareAndExec(q, sql, values);
    if (!ok)
        return {QStringLiteral("ERROR: ") + q.lastError().text()};
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i)
            fields << q.value(i).toString();
        out << fields.join(QLatin1Char('|'));
    }
    return out;
}

QVariant RawCatalogue::value(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(QSqlDatabase::database(name_, false));
    bool ok = prepareAndExec(q, sql, values);
    if (!ok)
        throw std::runtime_error(q.lastError().text().toStdString());
    return q.next() ? q.value(0) : QVariant();
}

int RawCatalogue::rowCount(const QString& table)
{
    const QStringList r = rows(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    bool ok = false;
    const int count = r.isEmpty() ? -1 : r.first().toInt(&ok);
    return ok ? count : -1;
}

CatalogueFixture::CatalogueFixture(Driver driver) : path_(env_.defaultCatalogue())
{
    if (driver == Driver::Postgres) {
        server_ = std::make_unique<PostgresScratchSchema>();
        catalogue::CatalogueFile::ensureOnServer(server_->entry());
        catalogue::AliasRegistry().registerAlias(catalogue::names::Alias, server_->entry());
        return;
    }
    catalogue::CatalogueFile::ensure(path_);
    registerAlias(catalogue::SqlDialect::EmbeddedDriver);
}

RawCatalogue CatalogueFixture::raw() const
{
    return server_ ? RawCatalogue(server_->entry()) : RawCatalogue(path_);
}

void CatalogueFixture::registerAlias(const QString& driver) const
{
    catalogue::AliasRegistry().registerAlias(catalogue::names::Alias, {driver, path_});
}

int CatalogueFixture::foundationClass(const QString& name)
{
    return raw()
        .value(QStringLiteral("SELECT Foundation_Class_Index FROM Foundation_Classes WHERE Foundation_Class_Name = ?"),
               {name})
        .toInt();
}

int CatalogueFixture::insert(const QString& sql, const QString& keyField, const QVariantList& values)
{
    RawCatalogue raw = this->raw();
    const catalogue::SqlDialect& dialect =
        server_ ? catalogue::SqlDialect::postgres() : catalogue::SqlDialect::embedded();
    if (!raw.exec(dialect.insertReturningKey(sql, keyField), values))
        throw std::runtime_error(raw.lastError().toStdString());
    return raw.lastInsertId().toInt();
}

int CatalogueFixture::addStructure(const QString& name, const QString& bcbName, const QString& bcbDescription,
                                   int status, int foundationClass)
{
    return insert(QStringLiteral("INSERT INTO Structures (Foundation_Class_Index, Structure_Name, Structure_Description, "
                                 "BCB_Name, BCB_Description, Conversion_Status) VALUES (?, ?, ?, ?, ?, ?)"),
                  QStringLiteral("Structure_Index"),
                  {foundationClass, name, name + QStringLiteral(" description"),
                   bcbName.isEmpty() ? QStringLiteral("T") + name : bcbName,
                   bcbDescription.isEmpty() ? name + QStringLiteral(" description") : bcbDescription, status});
}

int CatalogueFixture::addMember(int structure, const QString& name, const QString& bcbName,
                                const QString& bcbDescription, int status)
{
    return insert(QStringLiteral("INSERT INTO Structure_Members (Foundation_Class_Index, Structure_Index, Member_Name, "
                                 "Member_Type, Member_Description, BCB_Name, BCB_Description, Conversion_Status) "
                                 "SELECT Foundation_Class_Index, Structure_Index, ?, 'DWORD', ?, ?, ?, ? "
                                 "FROM Structures WHERE Structure_Index = ?"),
                  QStringLiteral("Member_Index"),
                  {name, name + QStringLiteral(" description"), bcbName.isEmpty() ? QStringLiteral("F") + name : bcbName,
                   bcbDescription.isEmpty() ? name + QStringLiteral(" description") : bcbDescription, status,
                   structure});
}

int CatalogueFixture::addFlag(int member, const QString& name, const QString& bcbDescription, int status)
{
    return insert(QStringLiteral("INSERT INTO Structure_Member_Flags (Foundation_Class_Index, Structure_Index, "
                                 "Member_Index, Flag_Name, Flag_Description, BCB_Description, Conversion_Status) "
                                 "SELECT Foundation_Class_Index, Structure_Index, Member_Index, ?, ?, ?, ? "
                                 "FROM Structure_Members WHERE Member_Index = ?"),
                  QStringLiteral("Flag_Index"),
                  {name, name + QStringLiteral(" description"),
                   bcbDescription.isEmpty() ? name + QStringLiteral(" description") : bcbDescription, status, member});
}

QVariant CatalogueFixture::stored(const QString& table, const QString& keyField, int key, const QString& field)
{
    return raw().value(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(field, table, keyField), {key});
}

int CatalogueFixture::rowCount(const QString& table)
{
    return raw().rowCount(table);
}

QStringList CatalogueFixture::rows(const QString& sql)
{
    return raw().rows(sql);
}

bool CatalogueFixture::exec(const QString& sql)
{
    RawCatalogue raw = this->raw();
    const bool ok = raw.exec(sql);
    lastError_ = raw.lastError();
    return ok;
}

} // namespace velmora::testing
