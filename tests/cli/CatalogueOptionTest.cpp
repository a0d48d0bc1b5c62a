// --catalogue PATH: one call on a catalogue file of its own, the alias untouched.
#include <gtest/gtest.h>

#include <QFile>

#include "support/CliRun.h"
#include "support/CatalogueFixture.h"

namespace velmora::cli {
namespace {

using testing::CliRun;
using testing::runCli;

const std::string File = std::string(VELMORA_TEST_DATA_DIR) + "/structures/pair_and_list.txt";

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(CatalogueOptionTest, EveryCommandWorksOnTheNamedFileAndLeavesTheAliasAlone)
{
    testing::TempCatalogueEnv env;
    const std::string own = (env.root() + QStringLiteral("/own.sqlite")).toStdString();
    const CliRun init = runCli({"--catalogue", own, "init"});
    EXPECT_EQ(init.code, 0) << init.err;
    EXPECT_EQ(init.out, "Created the catalogue " + own + "\n");

    EXPECT_EQ(runCli({"--catalogue=" + own, "import", "--class", "DirectSound", File}).code, 0);
    const CliRun dump = runCli({"--catalogue", own, "dump", "Structures"});
    EXPECT_EQ(dump.code, 0) << dump.err;
    EXPECT_NE(dump.out.find("\n2\t2\tDDRGBA\t"), std::string::npos) << dump.out;
    const CliRun clear = runCli({"--catalogue", own, "clear", "--yes"});
    EXPECT_EQ(clear.out, "Cleared the catalogue: 2 structures, 6 members, 0 flags removed\n") << clear.err;

    EXPECT_FALSE(QFile::exists(env.aliasFile()));
    EXPECT_FALSE(QFile::exists(env.defaultCatalogue()));
    EXPECT_EQ(runCli({"dump"}).code, 2);   // the alias still names nothing
}

TEST(CatalogueOptionTest, AnUnusableCatalogueIsOneLineAndExitTwoWithNothingChanged)
{
    testing::CatalogueFixture registered;
    const QString notes = registered.env().root() + QStringLiteral("/notes.txt");
    {
        QFile file(notes);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("these are my notes, not a catalogue\n");
    }
    const std::string missing = (registered.env().root() + QStringLiteral("/missing.sqlite")).toStdString();
    struct Case {
        std::vector<std::string> words;
        std::string firstLine;
    };
    const std::vector<Case> cases{
        {{"--catalogue", missing, "import", File}, "velmora-cli import: The catalogue file " + missing + " does not exist"},
        {{"--catalogue", missing, "import", "--dry-run", File},
         "velmora-cli import: The catalogue file " + missing + " does not exist"},
        {{"--catalogue", missing, "dump"}, "velmora-cli dump: The catalogue file " + missing + " does not exist"},
        {{"--catalogue", notes.toStdString(), "clear", "--yes"}, "velmora-cli clear: The catalogue " + notes.toStdString()},
        {{"--catalogue=", "dump"},
         "velmora-cli: --catalogue needs the path of a catalogue file, a PostgreSQL URI or libpq keywords"},
        {{"--catalogue", "postgresql://db.example:notaport/corvane", "dump"}, "velmora-cli: --catalogue: "},
        {{"--catalogue", "a", "--catalogue", "b", "dump"}, "velmora-cli: option '--catalogue' given twice"},
        {{"dump", "--catalogue", "a"}, "velmora-cli: '--catalogue PATH' goes before the command's name for 'dump'"},
    };
    const QByteArray notesBefore = bytes(notes);
    for (const Case& c : cases) {
        const CliRun run = runCli(c.words);
        EXPECT_EQ(run.code, 2) << ::testing::PrintToString(c.words);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.firstErrLine().substr(0, c.firstLine.size()), c.firstLine) << run.err;
        EXPECT_EQ(run.err.find("status:"), std::string::npos);
    }
    EXPECT_EQ(bytes(notes), notesBefore);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));
    EXPECT_EQ(registered.rowCount(QStringLiteral("Structures")), 0);
}

} // namespace
} // namespace velmora::cli
