#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

#include "catalogue/drivers/PostgresConnection.h"
#include "cli/CliProcess.h"
#include "support/CatalogueFixture.h"
#include "support/PostgresTestServer.h"
#include "support/TempCatalogueEnv.h"

using velmora::testing::CatalogueFixture;
using velmora::testing::Driver;
using velmora::testing::PostgresScratchSchema;
using velmora::testing::TempCatalogueEnv;
using velmora::testing::runVelmoraCli;
using CliResult = velmora::testing::ProgramRun;
using velmora::testing::testDataPath;

namespace {

QString aliasValue(const TempCatalogueEnv& env, const char* key)
{
    return QSettings(env.aliasFile(), QSettings::IniFormat).value(QStringLiteral("Corvane/") + key).toString();
}

TEST(PostgresCatalogueCliTest, InitSetsUpTheDatabaseOnceAndTheAliasKeepsNoPassword)
{
    TempCatalogueEnv env;
    PostgresScratchSchema server;
    CliResult run = runVelmoraCli({QStringLiteral("init"), QStringLiteral("--postgres"), server.uri()});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Created the catalogue "))) << run.out.toStdString();
    EXPECT_EQ(aliasValue(env, "driver"), QStringLiteral("QPSQL"));
    EXPECT_EQ(aliasValue(env, "host"), server.entry().host);
    EXPECT_EQ(aliasValue(env, "database"), server.entry().database);
    EXPECT_EQ(aliasValue(env, "user"), server.entry().user);

    // Again, in the keyword form: nothing changes.
    run = runVelmoraCli({QStringLiteral("init"), QStringLiteral("--postgres=") + server.keywords()});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("nothing changed"))) << run.out.toStdString();

    // A password is refused before anything is written.
    TempCatalogueEnv other;
    run = runVelmoraCli({QStringLiteral("init"), QStringLiteral("--postgres"), server.keywords() + QStringLiteral(" password=secret")});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("~/.pgpass"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(other.aliasFile()));
}

TEST(PostgresCatalogueCliTest, ImportAndDumpGiveTheSameRecordsAsTheEmbeddedCatalogue)
{
    const QString file = testDataPath(QStringLiteral("structures/union_and_flags.txt"));
    QString embeddedDump;
    {
        TempCatalogueEnv env;
        ASSERT_EQ(runVelmoraCli({QStringLiteral("init")}).code, 0);
        ASSERT_EQ(runVelmoraCli({QStringLiteral("import"), file}).code, 0);
        ASSERT_EQ(runVelmoraCli({QStringLiteral("import"), file}).code, 0);   // twice: two sets of keys
        embeddedDump = runVelmoraCli({QStringLiteral("dump")}).out;
    }
    TempCatalogueEnv env;
    PostgresScratchSchema server;
    ASSERT_EQ(runVelmoraCli({QStringLiteral("init"), QStringLiteral("--postgres"), server.uri()}).code, 0);
    const CliResult first = runVelmoraCli({QStringLiteral("import"), file});
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    ASSERT_EQ(runVelmoraCli({QStringLiteral("import"), file}).code, 0);
    EXPECT_EQ(runVelmoraCli({QStringLiteral("dump")}).out.toStdString(), embeddedDump.toStdString());

    // Cleared, the keys go on where they were.
    ASSERT_EQ(runVelmoraCli({QStringLiteral("clear"), QStringLiteral("--yes")}).code, 0);
    ASSERT_EQ(runVelmoraCli({QStringLiteral("import"), file}).code, 0);
    const QStringList rows = runVelmoraCli({QStringLiteral("dump"), QStringLiteral("Structures")}).out.split(QLatin1Char('\n'));
    ASSERT_GT(rows.size(), 1);
    EXPECT_GT(rows[1].section(QLatin1Char('\t'), 0, 0).toInt(), 2);
}

struct ServerFaultCase {
    const char* name;
    QString (*connection)(const PostgresScratchSchema&);
    const char* message;
};

void PrintTo(const ServerFaultCase& c, std::ostream* os) { *os << c.name; }

class PostgresServerFaultTest : public ::testing::TestWithParam<ServerFaultCase> {};

TEST_P(PostgresServerFaultTest, EndsWithExitTwoAndAClearMessage)
{
    TempCatalogueEnv env;
    PostgresScratchSchema server;
    const CliResult run = runVelmoraCli({QStringLiteral("init"), QStringLiteral("--postgres"), GetParam().connection(server)});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("velmora-cli init: "))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(GetParam().message))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(env.aliasFile()));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PostgresServerFaultTest,
    ::testing::Values(
        ServerFaultCase{"NoServerThere",
                        [](const PostgresScratchSchema&) {
                            return QStringLiteral("host=/nonexistent-velmora-socket dbname=corvane");
                        },
                        "Cannot open the catalogue"},
        ServerFaultCase{"NoSuchDatabase",
                        [](const PostgresScratchSchema& s) { return s.keywords() + QStringLiteral(" dbname=no_such_db"); },
                        "does not exist"},
        ServerFaultCase{"NoSuchUser",
                        [](const PostgresScratchSchema& s) { return s.keywords() + QStringLiteral(" user=nobody_here"); },
                        "nobody_here"},
        ServerFaultCase{"UnreadableString", [](const PostgresScratchSchema&) { return QStringLiteral("dbname='x"); },
                        "unterminated quoted string"}),
    [](const auto& info) { return std::string(info.param.name); });

// A catalogue on the server that cannot be used as it is: the commands end with
// exit 2 and a message naming what is wrong, and leave the catalogue as it was.
struct CatalogueFaultCase {
    const char* name;
    const char* breaking;    // run on the catalogue first; empty: none
    const char* catalogue;   // for --catalogue, %1 the test server's socket folder; empty: the alias
    const char* password;    // PGPASSWORD for the command; empty: none
    const char* message;
};

void PrintTo(const CatalogueFaultCase& c, std::ostream* os) { *os << c.name; }

class PostgresCatalogueFaultTest : public ::testing::TestWithParam<CatalogueFaultCase> {};

TEST_P(PostgresCatalogueFaultTest, EveryCommandEndsWithExitTwoAMessageAndTheCatalogueAsItWas)
{
    const CatalogueFaultCase& fault = GetParam();
    CatalogueFixture catalogue(Driver::Postgres);
    catalogue.addStructure(QStringLiteral("DDCAPS"));
    if (*fault.breaking) {
        ASSERT_TRUE(catalogue.exec(QString::fromUtf8(fault.breaking))) << catalogue.lastError().toStdString();
    }
    const auto snapshot = [&catalogue] {
        return catalogue.rows(QStringLiteral("SELECT table_name, column_name FROM information_schema.columns "
                                             "WHERE table_schema = current_schema() ORDER BY 1, 2")) +
               catalogue.rows(QStringLiteral("SELECT * FROM Structures"));
    };
    const QStringList before = snapshot();

    QStringList global;
    if (*fault.catalogue) {
        const QString socketFolder = velmora::catalogue::parsePostgresConnection(velmora::testing::postgresTestServer()).host;
        global << QStringLiteral("--catalogue") << QString::fromUtf8(fault.catalogue).arg(socketFolder);
    }
    if (*fault.password)
        qputenv("PGPASSWORD", fault.password);
    const QString file = testDataPath(QStringLiteral("structures/union_and_flags.txt"));
    for (const QStringList& command : {QStringList{QStringLiteral("import"), file}, QStringList{QStringLiteral("dump")},
                                       QStringList{QStringLiteral("clear"), QStringLiteral("--yes")}}) {
        const CliResult run = runVelmoraCli(global + command);
        EXPECT_EQ(run.code, 2) << command.first().toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("velmora-cli %1: ").arg(command.first()))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(fault.message))) << run.err.toStdString();
    }
    qunsetenv("PGPASSWORD");
    EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PostgresCatalogueFaultTest,
    ::testing::Values(
        CatalogueFaultCase{"NoTables",
                           "DROP TABLE Structure_Member_Flags, Structure_Members, Structures, Foundation_Classes", "", "",
                           "holds no catalogue: none of its tables is there"},
        CatalogueFaultCase{"MissingTable", "DROP TABLE Structure_Member_Flags", "", "",
                           "the table Structure_Member_Flags is missing"},
        CatalogueFaultCase{"MissingColumn", "ALTER TABLE Structures DROP COLUMN BCB_Name", "", "",
                           "the table Structures has no field BCB_Name"},
        CatalogueFaultCase{"WrongHost", "", "postgresql://postgres@no-such-host.invalid/postgres", "",
                           "could not translate host name \"no-such-host.invalid\""},
        CatalogueFaultCase{"RefusedConnection", "", "postgresql://postgres@127.0.0.1:1/postgres", "",
                           "Connection refused"},
        // The test cluster asks this one role, and only it, for its password.
        CatalogueFaultCase{"WrongPassword", "", "postgresql://velmora_locked@/postgres?host=%1", "not-the-secret",
                           "password authentication failed for user \"velmora_locked\""},
        CatalogueFaultCase{"NoPassword", "", "postgresql://velmora_locked@/postgres?host=%1", "",
                           "no password supplied"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
