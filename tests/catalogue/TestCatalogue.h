#pragma once

// A real catalogue in a temporary folder, registered under the alias the
// program uses, with helpers that append rows the way an import leaves them.

#include <map>
#include <memory>
#include <stdexcept>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/Database.h"
#include "support/TempCatalogueEnv.h"

namespace velmora::testing {

class TestCatalogue {
public:
    TestCatalogue()
    {
        const QString file = env_.root() + QStringLiteral("/catalogue.sqlite");
        {
            const QString setup = QStringLiteral("setup-") + QUuid::createUuid().toString();
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), setup);
                db.setDatabaseName(file);
                if (!db.open())
                    throw std::runtime_error(db.lastError().text().toStdString());
                catalogue::CatalogueSchema::create(db);
                db.close();
            }
            QSqlDatabase::removeDatabase(setup);
        }
        catalogue::AliasRegistry().registerAlias(catalogue::names::Alias, {QStringLiteral("QSQLITE"), file});
        database_ = std::make_unique<catalogue::Database>(catalogue::names::Alias, catalogue::names::DatabaseName);
        database_->setConnected(true);
    }

    catalogue::Database& database() { return *database_; }

    int foundationClass(const QString& name)
    {
        QSqlQuery q(database_->handle());
        q.prepare(QStringLiteral("select Foundation_Class_Index from Foundation_Classes where Foundation_Class_Name = ?"));
        q.addBindValue(name);
        exec(q);
        return q.next() ? q.value(0).toInt() : 0;
    }

    int addStructure(int foundationClass, const QString& name, const QString& bcbName = QString())
    {
        QSqlQuery q(database_->handle());
        q.prepare(QStringLiteral(
            "insert into Structures (Foundation_Class_Index, Structure_Name, Structure_Description, BCB_Name, "
            "BCB_Description, Conversion_Status) values (?, ?, ?, ?, ?, 0)"));
        q.addBindValue(foundationClass);
        q.addBindValue(name);
        q.addBindValue(name + QStringLiteral(" description"));
        q.addBindValue(bcbName.isEmpty() ? QStringLiteral("T") + name : bcbName);
        q.addBindValue(name + QStringLiteral(" description"));
        exec(q);
        const int key = q.lastInsertId().toInt();
        structureClass_[key] = foundationClass;
        return key;
    }

    int addMember(int structure, const QString& name, const QString& bcbName = QString())
    {
        QSqlQuery q(database_->handle());
        q.prepare(QStringLiteral(
            "insert into Structure_Members (Foundation_Class_Index, Structure_Index, Member_Name, Member_Type, "
            "Member_Description, BCB_Name, BCB_Description, Conversion_Status) values (?, ?, ?, 'DWORD', ?, ?, ?, 0)"));
        q.addBindValue(structureClass_[structure]);
        q.addBindValue(structure);
        q.addBindValue(name);
        q.addBindValue(name + QStringLiteral(" description"));
        q.addBindValue(bcbName.isEmpty() ? QStringLiteral("F") + name : bcbName);
        q.addBindValue(name + QStringLiteral(" description"));
        exec(q);
        const int key = q.lastInsertId().toInt();
        memberStructure_[key] = structure;
        return key;
    }

    int addFlag(int member, const QString& name)
    {
        const int structure = memberStructure_[member];
        QSqlQuery q(database_->handle());
        q.prepare(QStringLiteral(
            "insert into Structure_Member_Flags (Foundation_Class_Index, Structure_Index, Member_Index, Flag_Name, "
            "Flag_Description, BCB_Description, Conversion_Status) values (?, ?, ?, ?, ?, ?, 0)"));
        q.addBindValue(structureClass_[structure]);
        q.addBindValue(structure);
        q.addBindValue(member);
        q.addBindValue(name);
        q.addBindValue(name + QStringLiteral(" description"));
        q.addBindValue(name + QStringLiteral(" description"));
        exec(q);
        return q.lastInsertId().toInt();
    }

    int rowCount(const QString& table)
    {
        QSqlQuery q(database_->handle());
        exec(q, QStringLiteral("select count(*) from ") + table);
        return q.next() ? q.value(0).toInt() : -1;
    }

    QString textOf(const QString& table, const QString& keyField, int key, const QString& field)
    {
        QSqlQuery q(database_->handle());
        q.prepare(QStringLiteral("select %1 from %2 where %3 = ?").arg(field, table, keyField));
        q.addBindValue(key);
        exec(q);
        return q.next() ? q.value(0).toString() : QString();
    }

private:
    static void exec(QSqlQuery& q, const QString& sql = QString())
    {
        const bool ok = sql.isEmpty() ? q.exec() : q.exec(sql);
        if (!ok)
            throw std::runtime_error(q.lastError().text().toStdString());
    }

    TempCatalogueEnv env_;
    std::unique_ptr<catalogue::Database> database_;
    std::map<int, int> structureClass_;
    std::map<int, int> memberStructure_;
};

} // namespace velmora::testing
