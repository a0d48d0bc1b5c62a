#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QSqlQuery>
#include <atomic>
#include <chrono>
#include <sys/stat.h>
#include <thread>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueTestSupport.h"
#include "import/ImportObserver.h"
#include "importsave/CatalogueStructuresSaver.h"

using namespace velmora::catalogue;
using velmora::import::ParsedStructures;
using velmora::importsave::CatalogueStructuresSaver;
using velmora::testing::CatalogueFixture;
using velmora::testing::ParsedStructuresBuilder;
using velmora::testing::RawCatalogue;
using velmora::testing::TempCatalogueEnv;
using velmora::testing::UnprivilegedScope;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

ParsedStructures manyStructures(int count)
{
    ParsedStructuresBuilder builder;
    const std::string padding(400, 'x');
    for (int i = 0; i < count; ++i)
        builder.structure(std::string("S").append(std::to_string(i)), padding).member("DWORD", "dwSize", padding).flag("F", padding);
    return builder.build();
}

std::string connectError()
{
    try {
        Database db(names::Alias, names::DatabaseName);
        db.setConnected(true);
    } catch (const CatalogueError& error) {
        return error.what();
    }
    return "connected";
}

bool contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

class CatalogueFaultsTest : public ::testing::Test {
protected:

    // Saves lists through a fresh set of components; returns the error text or "saved".
    std::string trySave(ParsedStructures lists, int busyTimeoutMs = 5000,
                        const std::function<void(Database&)>& beforeSave = {})
    {
        CatalogueTables c;
        c.database.setBusyTimeout(busyTimeoutMs);
        const int foundationClass = 1;
        velmora::import::ImportObserver observer;
        try {
            c.database.setConnected(true);
            if (beforeSave)
                beforeSave(c.database);
            CatalogueStructuresSaver(c.database, c.structures, c.members, c.flags, foundationClass).SaveStructures(lists, observer);
        } catch (const CatalogueError& error) {
            return error.what();
        }
        return "saved";
    }

    CatalogueFixture fixture;
    const TempCatalogueEnv& env = fixture.env();
    const QString path = fixture.path();
};

TEST_F(CatalogueFaultsTest, AMissingOrBrokenAliasTellsTheUserToRunInit)
{
    QFile::remove(env.aliasFile());
    EXPECT_TRUE(contains(connectError(), "velmora-cli init")) << connectError();

    {
        QSettings settings(env.aliasFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Other/driver"), QStringLiteral("QSQLITE"));
    }
    EXPECT_TRUE(contains(connectError(), "Corvane is not defined")) << connectError();
    EXPECT_TRUE(contains(connectError(), "velmora-cli init"));

    AliasRegistry().registerAlias(names::Alias, {QStringLiteral("PARADOX"), path});
    EXPECT_TRUE(contains(connectError(), "driver PARADOX is not available")) << connectError();

    const QString missing = env.dataHome() + QStringLiteral("/nowhere/corvane.sqlite");
    AliasRegistry().registerAlias(names::Alias, {QStringLiteral("QSQLITE"), missing});
    EXPECT_TRUE(contains(connectError(), "does not exist")) << connectError();
    EXPECT_TRUE(contains(connectError(), "velmora-cli init"));
    EXPECT_FALSE(QFile::exists(missing));   // never created behind the user's back
}

TEST_F(CatalogueFaultsTest, ADamagedCatalogueIsNamedClearlyAndLeftAlone)
{
    {
        RawCatalogue raw(path);
        ASSERT_TRUE(raw.exec(QStringLiteral("ALTER TABLE Structures DROP COLUMN BCB_Description")));
    }
    EXPECT_TRUE(contains(connectError(), "the table Structures has no field BCB_Description")) << connectError();

    QFile::remove(path);
    CatalogueFile::ensure(path);
    {
        RawCatalogue raw(path);
        ASSERT_TRUE(raw.exec(QStringLiteral("DROP TABLE Structure_Member_Flags")));
    }
    EXPECT_TRUE(contains(connectError(), "the table Structure_Member_Flags is missing")) << connectError();

    QFile::remove(path);
    {
        QFile garbage(path);
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'Z'));
    }
    const QByteArray before = fileBytes(path);
    EXPECT_TRUE(contains(connectError(), "not a database")) << connectError();
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(CatalogueFaultsTest, ALockedCatalogueWaitsForTheLockThenFailsClearlyWithNothingWritten)
{
    RawCatalogue other(path, QStringLiteral("other-process"));
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN IMMEDIATE")));   // another writer: reading still works
    const std::string error = trySave(manyStructures(3), 200);
    EXPECT_TRUE(contains(error, "Cannot start writing to the catalogue: another program holds a lock on the catalogue; "
                                "gave up after waiting 0.2 seconds")) << error;
    ASSERT_TRUE(other.exec(QStringLiteral("COMMIT")));

    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));   // not even reading
    // Several statements meet the lock; together they wait one busy timeout.
    const auto start = std::chrono::steady_clock::now();
    const std::string connecting = trySave(manyStructures(3), 1000);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(contains(connecting, "cannot be read: another program holds a lock on the catalogue; gave up after "
                                     "waiting 1.0 seconds")) << connecting;
    EXPECT_GE(waited, std::chrono::milliseconds(1000));
    EXPECT_LT(waited, std::chrono::milliseconds(2500));
    ASSERT_TRUE(other.exec(QStringLiteral("COMMIT")));
    EXPECT_EQ(other.rowCount(QStringLiteral("Structures")), 0);
    EXPECT_EQ(other.rowCount(QStringLiteral("Structure_Members")), 0);
}

TEST_F(CatalogueFaultsTest, ALockReleasedWithinTheBusyTimeoutIsWaitedFor)
{
    std::atomic<bool> locked{false};
    std::thread holder([&] {
        RawCatalogue other(path, QStringLiteral("holder-thread"));
        other.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        locked = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.exec(QStringLiteral("COMMIT"));
    });
    while (!locked)
        std::this_thread::yield();
    const std::string result = trySave(manyStructures(3), 5000);
    holder.join();
    EXPECT_EQ(result, "saved");
    RawCatalogue raw(path);
    EXPECT_EQ(raw.rowCount(QStringLiteral("Structure_Member_Flags")), 3);
}

TEST_F(CatalogueFaultsTest, AReadOnlyCatalogueRefusesTheSaveAndStaysUnchanged)
{
    ASSERT_EQ(trySave(manyStructures(2)), "saved");
    const QByteArray before = fileBytes(path);
    for (const QString& folder : {env.root(), env.dataHome(), env.dataHome() + QStringLiteral("/velmora"),
                                  env.configHome(), env.configHome() + QStringLiteral("/velmora")})
        ::chmod(folder.toLocal8Bit().constData(), 0755);
    ::chmod(env.aliasFile().toLocal8Bit().constData(), 0644);
    ::chmod(path.toLocal8Bit().constData(), 0444);

    std::string error;
    {
        CatalogueTables c;
        {
            UnprivilegedScope unprivileged;   // the file is opened as an ordinary user would open it
            c.database.setConnected(true);
        }
        const int foundationClass = 1;
        velmora::import::ImportObserver observer;
        ParsedStructures lists = manyStructures(2);
        try {
            CatalogueStructuresSaver(c.database, c.structures, c.members, c.flags, foundationClass).SaveStructures(lists, observer);
        } catch (const CatalogueError& e) {
            error = e.what();
        }
        // Browsing still works.
        c.structures.open();
        EXPECT_EQ(c.structures.fieldAsString(QStringLiteral("Structure_Name")), QStringLiteral("S0"));
    }
    EXPECT_TRUE(contains(error, "readonly")) << error;
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(CatalogueFaultsTest, AFullDiskRollsTheWholeSaveBack)
{
    ASSERT_EQ(trySave(manyStructures(2)), "saved");
    const QByteArray before = fileBytes(path);
    const std::string error = trySave(manyStructures(500), 5000, [](Database& db) {
        QSqlQuery pragma(db.handle());
        pragma.exec(QStringLiteral("PRAGMA page_count"));
        pragma.next();
        const long long pages = pragma.value(0).toLongLong();
        pragma.finish();
        pragma.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages + 8));
    });
    EXPECT_TRUE(contains(error, "full")) << error;
    EXPECT_EQ(fileBytes(path), before);
}

} // namespace
