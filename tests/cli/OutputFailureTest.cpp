// Standard output that cannot take what velmora-cli writes, through the real
// binary: a full device ends the command with a message and exit 2, a reader
// that went away ends it by SIGPIPE; an import stores nothing either way.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "generators/StructuresFileGenerator.h"
#include "import/StructuresTestSupport.h"
#include "support/CatalogueFixture.h"

namespace velmora::cli {
namespace {

struct ShellRun {
    int code;          // the exit code, or 128 + the signal
    std::string err;
};

// Runs "velmora-cli WORDS" through bash with the given redirection or pipe after it.
ShellRun runShell(const std::string& words, const std::string& after, const QTemporaryDir& dir)
{
    const std::string err = dir.filePath(QStringLiteral("stderr")).toStdString();
    const std::string command = "bash -c \"'" VELMORA_CLI_PATH "' " + words + " 2>'" + err + "' " + after +
                                "; exit \\${PIPESTATUS[0]}\"";
    const int status = std::system(command.c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return {code, testing::ReadTextFile(err)};
}

TEST(OutputFailureTest, AFullDeviceEndsEveryCommandWithAMessageAndExitTwo)
{
    testing::CatalogueFixture catalogue;
    QTemporaryDir dir;
    const std::string file = testing::StructuresDataPath("pair_and_list.txt");
    struct Case {
        std::string words, firstLine;
    };
    const std::vector<Case> cases{
        {"--help", "velmora-cli: cannot write to standard output: No space left on device"},
        {"--version", "velmora-cli: cannot write to standard output: No space left on device"},
        {"help import", "velmora-cli help: cannot write to standard output: No space left on device"},
        {"dump", "velmora-cli dump: cannot write to standard output: No space left on device"},
        {"import '" + file + "'", "velmora-cli import: cannot write to standard output: No space left on device"},
    };
    for (const Case& c : cases) {
        const ShellRun run = runShell(c.words, ">/dev/full", dir);
        EXPECT_EQ(run.code, 2) << c.words;
        EXPECT_EQ(run.err, c.firstLine + "\n") << c.words;
    }
    EXPECT_EQ(catalogue.rowCount(QStringLiteral("Structures")), 0);
}

TEST(OutputFailureTest, AFullDeviceIsNamedAlsoWhenTheCatalogueWasReadAfterTheFailedWrite)
{
    // More rows than standard output's buffer holds: the first write fails
    // half-way, and the reads after it leave errno at something else.
    testing::CatalogueFixture catalogue;
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("rows.txt")).toStdString();
    std::ofstream(file, std::ios::binary) << bench::StructuresFileGenerator().Text(5000);
    ASSERT_EQ(runShell("import '" + file + "'", ">/dev/null", dir).code, 0);
    const ShellRun run = runShell("dump", ">/dev/full", dir);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "velmora-cli dump: cannot write to standard output: No space left on device\n");
}

TEST(OutputFailureTest, AReaderThatGoesAwayEndsTheImportBySigpipeAndStoresNothing)
{
    testing::CatalogueFixture catalogue;
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("big.txt")).toStdString();
    std::ofstream(file, std::ios::binary) << bench::StructuresFileGenerator().Text(20000);

    const ShellRun run = runShell("import '" + file + "'", "| head -c 100 >/dev/null", dir);
    EXPECT_EQ(run.code, 128 + SIGPIPE) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(catalogue.rowCount(QStringLiteral("Structures")), 0);

    // The same file, its trace thrown away: stored.
    EXPECT_EQ(runShell("import '" + file + "'", ">/dev/null", dir).code, 0);
    EXPECT_GT(catalogue.rowCount(QStringLiteral("Structures")), 0);
}

TEST(OutputFailureTest, AFileThatStopsTakingTheTraceDuringTheSaveStoresNothing)
{
    // Into a file the save's lines go out in large writes, all of them before
    // the commit: a file that reaches its size limit meanwhile stores nothing.
    testing::CatalogueFixture catalogue;
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("big.txt")).toStdString();
    const std::string trace = dir.filePath(QStringLiteral("trace.txt")).toStdString();
    std::ofstream(file, std::ios::binary) << bench::StructuresFileGenerator().Text(2000);
    ASSERT_EQ(runShell("import --dry-run '" + file + "'", ">'" + trace + "'", dir).code, 0);
    const auto parsed = std::filesystem::file_size(trace);

    const std::string limit = "ulimit -f " + std::to_string(parsed / 1024 + 8) + "; trap '' XFSZ; ";
    const std::string command = "bash -c \"" + limit + "'" VELMORA_CLI_PATH "' import '" + file + "' >'" + trace +
                                "' 2>'" + trace + ".err'\"";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
    EXPECT_EQ(testing::ReadTextFile(trace + ".err"),
              "velmora-cli import: cannot write to standard output: File too large\n");
    EXPECT_EQ(catalogue.rowCount(QStringLiteral("Structures")), 0);

    // Without the limit: stored, and the file holds the same trace a pipe gets line by line.
    EXPECT_EQ(runShell("import '" + file + "'", ">'" + trace + "'", dir).code, 0);
    EXPECT_GT(catalogue.rowCount(QStringLiteral("Structures")), 0);
    EXPECT_EQ(runShell("import '" + file + "'", "| cat >'" + trace + ".piped'", dir).code, 0);
    EXPECT_EQ(testing::ReadTextFile(trace), testing::ReadTextFile(trace + ".piped"));
}

} // namespace
} // namespace velmora::cli
