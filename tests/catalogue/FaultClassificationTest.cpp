// The one classification of catalogue errors: the engine's code decides the
// kind of fault; real files and the private server show each kind reaching
// the paths that meet it.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlQuery>
#include <chrono>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/Database.h"
#include "catalogue/Query.h"
#include "catalogue/drivers/RowAppenderFactory.h"
#include "catalogue/drivers/SqlErrors.h"
#include "support/CatalogueFixture.h"
#include "support/PostgresTestServer.h"

using namespace velmora::catalogue;
using velmora::testing::CatalogueFixture;
using velmora::testing::Driver;
using velmora::testing::RawCatalogue;

namespace {

// Codes as SQLite's and PostgreSQL's documentation number them.
struct SqliteCode {
    int code;
    CatalogueFault fault;
};
const SqliteCode kSqliteCodes[] = {
    {1, CatalogueFault::Failed},        // SQLITE_ERROR: a statement's own fault
    {5, CatalogueFault::Locked},        // SQLITE_BUSY
    {517, CatalogueFault::Locked},      // SQLITE_BUSY_SNAPSHOT
    {6, CatalogueFault::Locked},        // SQLITE_LOCKED
    {8, CatalogueFault::ReadOnly},      // SQLITE_READONLY
    {1288, CatalogueFault::ReadOnly},   // SQLITE_READONLY_CANTINIT
    {1032, CatalogueFault::Gone},       // SQLITE_READONLY_DBMOVED: the file was moved or deleted
    {11, CatalogueFault::Damaged},      // SQLITE_CORRUPT
    {779, CatalogueFault::Damaged},     // SQLITE_CORRUPT_INDEX
    {26, CatalogueFault::Damaged},      // SQLITE_NOTADB
    {522, CatalogueFault::Damaged},     // SQLITE_IOERR_SHORT_READ
    {10, CatalogueFault::Failed},       // SQLITE_IOERR
    {13, CatalogueFault::Failed},       // SQLITE_FULL
    {2067, CatalogueFault::Failed},     // SQLITE_CONSTRAINT_UNIQUE
};
struct Sqlstate {
    const char* sqlstate;
    CatalogueFault fault;
};
const Sqlstate kSqlstates[] = {
    {"55P03", CatalogueFault::Locked},           // lock_not_available
    {"08006", CatalogueFault::ConnectionLost},   // connection_failure
    {"08003", CatalogueFault::ConnectionLost},   // connection_does_not_exist
    {"57P01", CatalogueFault::ConnectionLost},   // admin_shutdown
    {"XX001", CatalogueFault::Damaged},          // data_corrupted
    {"XX002", CatalogueFault::Damaged},          // index_corrupted
    {"25006", CatalogueFault::ReadOnly},         // read_only_sql_transaction
    {"3D000", CatalogueFault::Missing},          // invalid_catalog_name
    {"40P01", CatalogueFault::Failed},           // deadlock_detected
    {"57014", CatalogueFault::Failed},           // query_canceled
    {"23505", CatalogueFault::Failed},           // unique_violation
    {"", CatalogueFault::Failed},
};

TEST(FaultClassification, EachEngineCodeNamesItsFault)
{
    for (const SqliteCode& c : kSqliteCodes)
        EXPECT_EQ(sqliteFault(c.code), c.fault) << "SQLite code " << c.code;
    for (const Sqlstate& s : kSqlstates)
        EXPECT_EQ(postgresFault(QString::fromLatin1(s.sqlstate)), s.fault) << "SQLSTATE " << s.sqlstate;
}

CatalogueError caught(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CatalogueError& error) {
        return error;
    }
    return CatalogueError(QStringLiteral("no error"), CatalogueFault::Failed);
}

void appendStructure(Database& database)
{
    const auto rows = openRowAppender(database, names::StructuresTable, QStringLiteral("Structure_Index"),
                                      {QStringLiteral("Structure_Name")}, 1);
    rows->setText(0, "DDCOLORKEY");
    rows->append();
    rows->finish();
}

std::string readStructures(Database& database)
{
    Query query(database);
    query.addLine(QStringLiteral("select Structure_Name from Structures"));
    query.open();
    return query.fieldAsString(QStringLiteral("Structure_Name")).toStdString();
}

class SqliteFaults : public ::testing::Test {
protected:
    CatalogueFixture fixture;
    CatalogueTables catalogue;
};

TEST_F(SqliteFaults, ADamagedPageMetByTheNativeSaveIsNamedDamaged)
{
    int root = 0;
    {
        RawCatalogue raw(fixture.path());
        root = raw.value(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'Structures'")).toInt();
        const qint64 pageSize = raw.value(QStringLiteral("PRAGMA page_size")).toLongLong();
        QFile file(fixture.path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek((root - 1) * pageSize);
        file.write(QByteArray(int(pageSize), '\x5a'));
    }
    catalogue.database.setConnected(true);
    const CatalogueError error = caught([&] { appendStructure(catalogue.database); });
    EXPECT_EQ(error.fault(), CatalogueFault::Damaged) << error.what();
    EXPECT_NE(std::string(error.what()).find("Cannot write to the table Structures: database disk image is malformed"
                                             " - the catalogue is damaged; `velmora-cli verify`"),
              std::string::npos)
        << error.what();
}

TEST_F(SqliteFaults, ALockIsNamedLockedWithTheWaitNeverDamaged)
{
    catalogue.database.setBusyTimeout(300);
    catalogue.database.setConnected(true);
    RawCatalogue other(fixture.path());
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
    const CatalogueError error = caught([&] { readStructures(catalogue.database); });
    EXPECT_EQ(error.fault(), CatalogueFault::Locked) << error.what();
    EXPECT_STREQ(error.what(), "The query failed: another program holds a lock on the catalogue; gave up after "
                               "waiting 0.3 seconds");
    other.exec(QStringLiteral("COMMIT"));
}

TEST_F(SqliteFaults, AFileDeletedOrReplacedWhileOpenIsNamedSoAtTheNextWrite)
{
    for (const bool replaced : {false, true}) {
        catalogue.database.setConnected(true);
        readStructures(catalogue.database);
        const QString moved = fixture.path() + QStringLiteral(".moved");
        ASSERT_TRUE(QFile::rename(fixture.path(), moved));
        if (replaced) {
            ASSERT_TRUE(QFile::copy(moved, fixture.path()));
        }
        const CatalogueError error = caught([&] { appendStructure(catalogue.database); });
        EXPECT_EQ(error.fault(), CatalogueFault::Gone) << error.what();
        EXPECT_NE(std::string(error.what()).find(replaced ? "was replaced by another file while it was open"
                                                          : "was deleted while it was open"),
                  std::string::npos)
            << error.what();
        catalogue.database.setConnected(false);
        QFile::remove(fixture.path());
        ASSERT_TRUE(QFile::rename(moved, fixture.path()));
    }
}

class PostgresFaults : public ::testing::Test {
protected:
    CatalogueFixture fixture{Driver::Postgres};
    CatalogueTables catalogue;
};

TEST_F(PostgresFaults, AnotherSessionsLockRunsOutTheLockTimeoutAndIsNamedLocked)
{
    catalogue.database.setBusyTimeout(300);
    catalogue.database.setConnected(true);
    RawCatalogue other(AliasRegistry().lookup(names::Alias));
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN"))) << other.lastError().toStdString();
    ASSERT_TRUE(other.exec(QStringLiteral("LOCK TABLE Structures IN ACCESS EXCLUSIVE MODE")))
        << other.lastError().toStdString();
    for (const auto& action : {std::function<void()>([&] { readStructures(catalogue.database); }),
                               std::function<void()>([&] { appendStructure(catalogue.database); })}) {
        const CatalogueError error = caught(action);
        EXPECT_EQ(error.fault(), CatalogueFault::Locked) << error.what();
        EXPECT_NE(std::string(error.what()).find("gave up after waiting 0.3 seconds"), std::string::npos)
            << error.what();
    }
    other.exec(QStringLiteral("ROLLBACK"));
}

TEST_F(PostgresFaults, AQueryAfterTheServerEndedTheSessionIsNamedConnectionLost)
{
    catalogue.database.setConnected(true);
    Query query(catalogue.database);
    query.addLine(QStringLiteral("select pg_backend_pid() as pid"));
    query.open();
    const QString pid = query.fieldAsString(QStringLiteral("pid"));
    query.close();
    RawCatalogue(AliasRegistry().lookup(names::Alias)).exec(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid));
    // The prepared statement runs again on the broken connection.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const CatalogueError error = caught([&] { query.open(); });
        EXPECT_EQ(error.fault(), CatalogueFault::ConnectionLost) << error.what();
    }
}

TEST_F(PostgresFaults, ADatabaseThatDoesNotExistIsNamedMissing)
{
    AliasEntry entry = AliasRegistry().lookup(names::Alias);
    entry.database = QStringLiteral("velmora_no_such_database");
    AliasRegistry().registerAlias(names::Alias, entry);
    const CatalogueError error = caught([&] { catalogue.database.setConnected(true); });
    EXPECT_EQ(error.fault(), CatalogueFault::Missing) << error.what();
}

} // namespace
