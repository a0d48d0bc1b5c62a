#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <sstream>

#include "catalogue/CatalogueTestSupport.h"
#include "support/CliRun.h"



using velmora::testing::RawCatalogue;
using velmora::testing::TempCatalogueEnv;
using velmora::testing::CliRun;
using velmora::testing::runCli;

namespace {

CliRun init(const std::vector<std::string>& args = {})
{
    return runCli("init", args);
}

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString aliasDatabase(const TempCatalogueEnv& env)
{
    return QSettings(env.aliasFile(), QSettings::IniFormat).value(QStringLiteral("Corvane/database")).toString();
}

TEST(InitCommandTest, CreatesTheCatalogueAndAliasOnceAndThenChangesNothing)
{
    TempCatalogueEnv env;
    const std::string catalogue = env.defaultCatalogue().toStdString();
    const CliRun first = init();
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, "Created the catalogue " + catalogue + "\nRegistered the alias Corvane in " +
                             env.aliasFile().toStdString() + "\n");
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(QSettings(env.aliasFile(), QSettings::IniFormat).value(QStringLiteral("Corvane/driver")).toString(),
              QStringLiteral("QSQLITE"));
    {
        RawCatalogue raw(env.defaultCatalogue());
        EXPECT_EQ(raw.rowCount(QStringLiteral("Foundation_Classes")), 7);
        EXPECT_EQ(raw.rows(QStringLiteral("SELECT Foundation_Class_Index FROM Foundation_Classes "
                                          "WHERE Foundation_Class_Name = 'DirectDraw'")),
                  QStringList{QStringLiteral("1")});
    }
    velmora::testing::saveIntoCatalogue(
        velmora::testing::ParsedStructuresBuilder().structure("DDCOLORKEY", "Key.").build());

    const QByteArray catalogueBefore = bytes(env.defaultCatalogue());
    const QByteArray aliasBefore = bytes(env.aliasFile());
    const CliRun second = init();
    EXPECT_EQ(second.code, 0) << second.err;
    EXPECT_EQ(second.out, "The catalogue " + catalogue + " is already set up under the alias Corvane; nothing changed\n");
    EXPECT_EQ(bytes(env.defaultCatalogue()), catalogueBefore);
    EXPECT_EQ(bytes(env.aliasFile()), aliasBefore);
}

TEST(InitCommandTest, DatabaseOptionChoosesTheFileAndNeverRepointsAnExistingAlias)
{
    TempCatalogueEnv env;
    const QString chosen = env.root() + QStringLiteral("/team/catalogue.sqlite");
    EXPECT_EQ(init({"--database", chosen.toStdString()}).code, 0);
    EXPECT_EQ(aliasDatabase(env), chosen);
    EXPECT_FALSE(QFile::exists(env.defaultCatalogue()));

    // Without the option init follows the alias, wherever it points.
    const CliRun again = init();
    EXPECT_EQ(again.code, 0);
    EXPECT_NE(again.out.find("nothing changed"), std::string::npos) << again.out;

    const QString other = env.root() + QStringLiteral("/other.sqlite");
    const CliRun clash = init({"--database=" + other.toStdString()});
    EXPECT_EQ(clash.code, 2);
    EXPECT_NE(clash.err.find("already names the catalogue " + chosen.toStdString()), std::string::npos) << clash.err;
    EXPECT_EQ(aliasDatabase(env), chosen);
    EXPECT_FALSE(QFile::exists(other));
}

TEST(InitCommandTest, AnExistingCatalogueWithoutAliasIsKeptAndRegistered)
{
    TempCatalogueEnv env;
    ASSERT_EQ(init().code, 0);
    velmora::testing::saveIntoCatalogue(
        velmora::testing::ParsedStructuresBuilder().structure("DDCOLORKEY", "Key.").build());
    QFile::remove(env.aliasFile());
    const CliRun run = init();
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("was already there and is kept as it is"), std::string::npos) << run.out;
    RawCatalogue raw(env.defaultCatalogue());
    EXPECT_EQ(raw.rowCount(QStringLiteral("Structures")), 1);
    EXPECT_EQ(aliasDatabase(env), env.defaultCatalogue());
}

TEST(InitCommandTest, BadTargetsFailWithExitTwoAndTouchNothing)
{
    TempCatalogueEnv env;
    // Not a catalogue: refused, kept byte for byte, no alias written.
    const QString foreign = env.root() + QStringLiteral("/notes.sqlite");
    {
        QFile file(foreign);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("these are my notes, not a database\n");
    }
    const QByteArray before = bytes(foreign);
    CliRun run = init({"--database", foreign.toStdString()});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err.rfind("velmora-cli init: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("not a database"), std::string::npos) << run.err;
    EXPECT_EQ(bytes(foreign), before);
    EXPECT_FALSE(QFile::exists(env.aliasFile()));

    // A folder that cannot be made.
    run = init({"--database", (foreign + QStringLiteral("/sub/corvane.sqlite")).toStdString()});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("Cannot create the folder"), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(env.aliasFile()));

    // An alias that names another engine is left for its owner.
    QSettings(env.aliasFile(), QSettings::IniFormat).setValue(QStringLiteral("Corvane/driver"), QStringLiteral("QPSQL"));
    QSettings(env.aliasFile(), QSettings::IniFormat).setValue(QStringLiteral("Corvane/database"), QStringLiteral("corvane"));
    const QByteArray aliasBefore = bytes(env.aliasFile());
    run = init();
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("uses the driver QPSQL"), std::string::npos) << run.err;
    EXPECT_EQ(bytes(env.aliasFile()), aliasBefore);

    EXPECT_EQ(init({"--database"}).code, 2);
    EXPECT_EQ(init({"--verbose"}).code, 2);
    EXPECT_FALSE(QFile::exists(env.defaultCatalogue()));
}

TEST(InitCommandTest, TheProgramDispatchesCommandsAndReportsUnknownOnes)
{
    TempCatalogueEnv env;
    QProcess cli;
    cli.start(QStringLiteral(VELMORA_CLI_PATH), {QStringLiteral("init")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(env.defaultCatalogue()));

    cli.start(QStringLiteral(VELMORA_CLI_PATH), {QStringLiteral("frobnicate")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 2);
    EXPECT_TRUE(cli.readAllStandardError().startsWith("velmora-cli: unknown command 'frobnicate'\nusage:"));

    cli.start(QStringLiteral(VELMORA_CLI_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_TRUE(cli.readAllStandardOutput().contains("init [--database PATH]"));
}

} // namespace
