#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <memory>
#include <string>
#include <unistd.h>

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/Database.h"
#include "catalogue/Table.h"
#include "import/ImportObserver.h"
#include "import/IndexTags.h"
#include "import/ParsedStructures.h"
#include "import/save/CatalogueStructuresSaver.h"
#include "support/TempCatalogueEnv.h"

namespace velmora::testing {

// A new catalogue at the default place, registered under the alias Corvane.
inline QString createRegisteredCatalogue(const TempCatalogueEnv& env)
{
    const QString path = env.defaultCatalogue();
    catalogue::CatalogueFile::ensure(path);
    catalogue::AliasRegistry().registerAlias(catalogue::names::Alias, {QStringLiteral("QSQLITE"), path});
    return path;
}

// The database component and the three tables as the main window holds them.
struct CatalogueComponents {
    catalogue::Database db{catalogue::names::Alias, catalogue::names::DatabaseName};
    catalogue::Table structures{db, catalogue::names::StructuresTable, QStringLiteral("Structure_Index")};
    catalogue::Table members{db, catalogue::names::MembersTable, QStringLiteral("Member_Index")};
    catalogue::Table flags{db, catalogue::names::FlagsTable, QStringLiteral("Flag_Index")};
};

// A second, independent connection to a catalogue file: how the tests look at
// (or tamper with) what the program wrote.
class RawCatalogue {
public:
    explicit RawCatalogue(const QString& path, const QString& name = QStringLiteral("raw-test-connection"))
        : name_(name)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.open();
    }
    ~RawCatalogue()
    {
        { QSqlDatabase::database(name_, false).close(); }
        QSqlDatabase::removeDatabase(name_);
    }
    RawCatalogue(const RawCatalogue&) = delete;
    RawCatalogue& operator=(const RawCatalogue&) = delete;

    bool exec(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(name_, false));
        const bool ok = q.exec(sql);
        lastError_ = q.lastError().text();
        return ok;
    }
    // Every row as its fields joined by '|'.
    QStringList rows(const QString& sql)
    {
        QStringList out;
        QSqlQuery q(QSqlDatabase::database(name_, false));
        if (!q.exec(sql))
            return {QStringLiteral("ERROR: ") + q.lastError().text()};
        while (q.next()) {
            QStringList fields;
            for (int i = 0; i < q.record().count(); ++i)
                fields << q.value(i).toString();
            out << fields.join(QLatin1Char('|'));
        }
        return out;
    }
    long long count(const QString& table)
    {
        const QStringList r = rows(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        return r.isEmpty() ? -1 : r.first().toLongLong();
    }
    const QString& lastError() const { return lastError_; }

private:
    QString name_;
    QString lastError_;
};

// Builds the seven lists the structures parser hands to the save, tags included.
class ParsedStructuresBuilder {
public:
    ParsedStructuresBuilder& structure(const std::string& name, const std::string& description)
    {
        lists_.Structure_Names.push_back(name);
        lists_.Structure_Descriptions.push_back(description);
        return *this;
    }
    // A member of the structure added last.
    ParsedStructuresBuilder& member(const std::string& type, const std::string& name, const std::string& description)
    {
        const long long s = static_cast<long long>(lists_.Structure_Names.size()) - 1;
        lists_.Member_Names.push_back(name);
        lists_.Member_Types.push_back(type);
        lists_.Member_Descriptions.push_back(import::MakeTag("StructureIndex", s) + description);
        return *this;
    }
    // A flag of the member added last.
    ParsedStructuresBuilder& flag(const std::string& name, const std::string& description)
    {
        const long long s = static_cast<long long>(lists_.Structure_Names.size()) - 1;
        const long long m = static_cast<long long>(lists_.Member_Names.size()) - 1;
        lists_.Flag_Names.push_back(name);
        lists_.Flag_Descriptions.push_back(import::MakeTag("FlagStructureIndex", s) +
                                           import::MakeTag("FlagMemberIndex", m) + description);
        return *this;
    }
    import::ParsedStructures build() const { return lists_; }

private:
    import::ParsedStructures lists_;
};

struct SilentImportObserver : import::ImportObserver {
    void SetTraceCaption(const std::string&) override {}
    void ClearTrace() override {}
    void AppendTrace(std::string) override {}
    void SetStatus(const std::string&, bool) override {}
    void ShowTrace() override {}
};

// Saves lists into the registered catalogue the way an import does.
inline void saveIntoCatalogue(import::ParsedStructures lists, int foundationClass = 1)
{
    CatalogueComponents c;
    c.db.setConnected(true);
    SilentImportObserver observer;
    importsave::CatalogueStructuresSaver(c.db, c.structures, c.members, c.flags, foundationClass)
        .SaveStructures(lists, observer);
}

// Drops root's privileges for a scope: file permissions then hold as they
// would for an ordinary user (root would write to a read-only file).
class UnprivilegedScope {
public:
    UnprivilegedScope() : wasRoot_(geteuid() == 0)
    {
        if (wasRoot_ && seteuid(65534) != 0)
            wasRoot_ = false;
    }
    ~UnprivilegedScope()
    {
        if (wasRoot_ && seteuid(0) != 0)
            std::abort();
    }
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

private:
    bool wasRoot_;
};

} // namespace velmora::testing
