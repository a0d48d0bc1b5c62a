#pragma once

// A real catalogue in a temporary folder under the alias the main window
// connects, filled and read through a connection of its own.

#include <stdexcept>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueSchema.h"
#include "support/TempCatalogueEnv.h"

namespace velmora::testing {

class MainFormCatalogue {
public:
    MainFormCatalogue() : connection_(QStringLiteral("test-") + QUuid::createUuid().toString())
    {
        const QString file = env_.root() + QStringLiteral("/corvane.sqlite");
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db.setDatabaseName(file);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        catalogue::CatalogueSchema::create(db);
        catalogue::AliasRegistry().registerAlias(catalogue::names::Alias, {QStringLiteral("QSQLITE"), file});
    }

    ~MainFormCatalogue()
    {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }

    int directDraw() { return integer(QStringLiteral(
        "select Foundation_Class_Index from Foundation_Classes where Foundation_Class_Name = 'DirectDraw'")); }

    int addStructure(const QString& name, const QString& bcbName, const QString& bcbDescription, int status = 0)
    {
        return insert(QStringLiteral("insert into Structures (Foundation_Class_Index, Structure_Name, "
                                     "Structure_Description, BCB_Name, BCB_Description, Conversion_Status) "
                                     "values (?, ?, ?, ?, ?, ?)"),
                      {directDraw(), name, name + QStringLiteral(" described"), bcbName, bcbDescription, status});
    }

    int addMember(int structure, const QString& name, const QString& bcbName, const QString& bcbDescription,
                  int status = 0)
    {
        return insert(QStringLiteral("insert into Structure_Members (Foundation_Class_Index, Structure_Index, "
                                     "Member_Name, Member_Type, Member_Description, BCB_Name, BCB_Description, "
                                     "Conversion_Status) values (?, ?, ?, 'DWORD', ?, ?, ?, ?)"),
                      {directDraw(), structure, name, name + QStringLiteral(" described"), bcbName, bcbDescription,
                       status});
    }

    int addFlag(int structure, int member, const QString& name, const QString& bcbDescription, int status = 0)
    {
        return insert(QStringLiteral("insert into Structure_Member_Flags (Foundation_Class_Index, Structure_Index, "
                                     "Member_Index, Flag_Name, Flag_Description, BCB_Description, "
                                     "Conversion_Status) values (?, ?, ?, ?, ?, ?, ?)"),
                      {directDraw(), structure, member, name, name + QStringLiteral(" described"), bcbDescription,
                       status});
    }

    // A stored value as another program would read it from the file.
    QVariant stored(const QString& table, const QString& keyField, int key, const QString& field)
    {
        QSqlQuery q(QSqlDatabase::database(connection_));
        q.prepare(QStringLiteral("select %1 from %2 where %3 = ?").arg(field, table, keyField));
        q.addBindValue(key);
        exec(q);
        return q.next() ? q.value(0) : QVariant();
    }

    int rowCount(const QString& table) { return integer(QStringLiteral("select count(*) from ") + table); }
    // A statement through the test's own connection, e.g. to damage the catalogue.
    void run(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(connection_));
        if (!q.exec(sql))
            throw std::runtime_error(q.lastError().text().toStdString());
    }

private:
    int integer(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(connection_));
        if (!q.exec(sql))
            throw std::runtime_error(q.lastError().text().toStdString());
        return q.next() ? q.value(0).toInt() : 0;
    }

    int insert(const QString& sql, const QVariantList& values)
    {
        QSqlQuery q(QSqlDatabase::database(connection_));
        q.prepare(sql);
        for (const QVariant& v : values)
            q.addBindValue(v);
        exec(q);
        return q.lastInsertId().toInt();
    }

    static void exec(QSqlQuery& q)
    {
        if (!q.exec())
            throw std::runtime_error(q.lastError().text().toStdString());
    }

    TempCatalogueEnv env_;
    QString connection_;
};

} // namespace velmora::testing
