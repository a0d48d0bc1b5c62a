#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSettings>

#include "support/PostgresTestServer.h"
#include "support/TempCatalogueEnv.h"

using velmora::testing::PostgresScratchSchema;
using velmora::testing::TempCatalogueEnv;
using velmora::testing::testDataPath;

namespace {

struct CliResult {
    int code;
    QString out;
    QString err;
};

// The real program, as a user starts it: PGOPTIONS and XDG_* reach it from here.
CliResult cli(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(VELMORA_CLI_PATH), args);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString aliasValue(const TempCatalogueEnv& env, const char* key)
{
    return QSettings(env.aliasFile(), QSettings::IniFormat).value(QStringLiteral("Corvane/") + key).toString();
}

TEST(PostgresCatalogueCliTest, InitSetsUpTheDatabaseOnceAndTheAliasKeepsNoPassword)
{
    TempCatalogueEnv env;
    PostgresScratchSchema server;
    CliResult run = cli({QStringLiteral("init"), QStringLiteral("--postgres"), server.uri()});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Created the catalogue "))) << run.out.toStdString();
    EXPECT_EQ(aliasValue(env, "driver"), QStringLiteral("QPSQL"));
    EXPECT_EQ(aliasValue(env, "host"), server.entry().host);
    EXPECT_EQ(aliasValue(env, "database"), server.entry().database);
    EXPECT_EQ(aliasValue(env, "user"), server.entry().user);

    // Again, in the keyword form: nothing changes.
    run = cli({QStringLiteral("init"), QStringLiteral("--postgres=") + server.keywords()});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("nothing changed"))) << run.out.toStdString();

    // A password is refused before anything is written.
    TempCatalogueEnv other;
    run = cli({QStringLiteral("init"), QStringLiteral("--postgres"), server.keywords() + QStringLiteral(" password=secret")});
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
        ASSERT_EQ(cli({QStringLiteral("init")}).code, 0);
        ASSERT_EQ(cli({QStringLiteral("import"), file}).code, 0);
        ASSERT_EQ(cli({QStringLiteral("import"), file}).code, 0);   // twice: two sets of keys
        embeddedDump = cli({QStringLiteral("dump")}).out;
    }
    TempCatalogueEnv env;
    PostgresScratchSchema server;
    ASSERT_EQ(cli({QStringLiteral("init"), QStringLiteral("--postgres"), server.uri()}).code, 0);
    const CliResult first = cli({QStringLiteral("import"), file});
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    ASSERT_EQ(cli({QStringLiteral("import"), file}).code, 0);
    EXPECT_EQ(cli({QStringLiteral("dump")}).out.toStdString(), embeddedDump.toStdString());

    // Cleared, the keys go on where they were.
    ASSERT_EQ(cli({QStringLiteral("clear")}).code, 0);
    ASSERT_EQ(cli({QStringLiteral("import"), file}).code, 0);
    const QStringList rows = cli({QStringLiteral("dump"), QStringLiteral("Structures")}).out.split(QLatin1Char('\n'));
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
    const CliResult run = cli({QStringLiteral("init"), QStringLiteral("--postgres"), GetParam().connection(server)});
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

} // namespace
