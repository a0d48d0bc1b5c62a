// The progress line of a long import, through the real binary with standard
// error on a pseudo-terminal. The input arrives on a pipe that stalls for more
// than a second, so the import runs long however fast the machine is; named
// /dev/stdin it counts as a file of known length, named - as standard input.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <regex>
#include <thread>

#include "generators/StructuresFileGenerator.h"
#include "import/StructuresTestSupport.h"
#include "support/CatalogueFixture.h"

namespace velmora::cli {
namespace {

enum class Stream { Terminal, File };

struct Case {
    const char* name;
    const char* file;       // /dev/stdin or -
    bool dryRun;
    Stream out, err;
    const char* expected;   // a regular expression the terminal or the error file must match
    bool progress;          // whether a progress line may show at all
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

struct TerminalRun {
    int code = -1;
    std::string terminal;   // all the pseudo-terminal received
    std::string err;        // standard error, when it went to a file
};

TerminalRun runOnTerminal(const Case& c, const std::string& text, const QTemporaryDir& dir)
{
    const std::string outFile = dir.filePath(QStringLiteral("out")).toStdString();
    const std::string errFile = dir.filePath(QStringLiteral("err")).toStdString();
    int master = -1, slave = -1, pipeFds[2];
    EXPECT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(::pipe(pipeFds), 0);

    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[0], 0);
        ::dup2(c.out == Stream::Terminal ? slave : ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2(c.err == Stream::Terminal ? slave : ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        ::close(master);
        ::close(pipeFds[1]);
        ::execl(VELMORA_CLI_PATH, VELMORA_CLI_PATH, "import", c.dryRun ? "--dry-run" : "--class=DirectDraw", c.file,
                nullptr);
        ::_exit(127);
    }
    ::close(slave);
    ::close(pipeFds[0]);
    std::thread writer([&] {   // all but the end, a pause, the end
        const std::size_t first = text.size() - 1000;
        EXPECT_EQ(::write(pipeFds[1], text.data(), first), static_cast<ssize_t>(first));
        std::this_thread::sleep_for(std::chrono::milliseconds(1300));
        EXPECT_EQ(::write(pipeFds[1], text.data() + first, 1000), 1000);
        ::close(pipeFds[1]);
    });
    TerminalRun run;
    char buffer[4096];
    for (ssize_t got; (got = ::read(master, buffer, sizeof buffer)) > 0;)   // EIO once the child is gone
        run.terminal.append(buffer, static_cast<std::size_t>(got));
    writer.join();
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(master);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (c.err == Stream::File)
        run.err = testing::ReadTextFile(errFile);
    return run;
}

class ProgressTest : public ::testing::TestWithParam<Case> {};

TEST_P(ProgressTest, ShowsOnlyOnATerminalOfItsOwnAndIsWipedAtTheEnd)
{
    const Case& c = GetParam();
    testing::CatalogueFixture catalogue;
    QTemporaryDir dir;
    const TerminalRun run = runOnTerminal(c, bench::StructuresFileGenerator().Text(6000), dir);
    EXPECT_EQ(run.code, 0) << run.terminal << run.err;
    const std::string& shown = c.err == Stream::Terminal ? run.terminal : run.err;
    EXPECT_TRUE(std::regex_search(shown, std::regex(c.expected))) << ::testing::PrintToString(shown);
    if (!c.progress) {
        EXPECT_EQ(run.terminal.find("parsed"), std::string::npos);
        EXPECT_EQ(run.err.find("parsed"), std::string::npos);
    }
}

// A line is drawn as "\r" + text and wiped as "\r" + spaces + "\r".
INSTANTIATE_TEST_SUITE_P(
    Terminals, ProgressTest,
    ::testing::Values(
        Case{"FileWithPercentages", "/dev/stdin", false, Stream::File, Stream::Terminal,
             "\rvelmora-cli import: [0-9]+ of [0-9]+ rows parsed \\([0-9]+%\\)[^]*"
             "\rvelmora-cli import: [0-9]+ of [0-9]+ records saved \\([0-9]+%\\) *\r +\rstatus: Done",
             true},
        Case{"StandardInputCountsOnly", "-", true, Stream::File, Stream::Terminal,
             "^(\rvelmora-cli import: [0-9]+ rows parsed *)+\r +\r<stdin>: note: dry run", true},
        Case{"NotOnTheTerminalOfTheTrace", "/dev/stdin", true, Stream::Terminal, Stream::Terminal,
             "^Importing file: [^\r]*\r\n", false},
        Case{"NotWhenStandardErrorIsNoTerminal", "-", false, Stream::Terminal, Stream::File,
             "^status: Done", false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
} // namespace velmora::cli
