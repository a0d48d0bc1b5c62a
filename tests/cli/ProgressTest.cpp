// The progress line of a long import, through the real binary with standard
// error on a pseudo-terminal. The input arrives through a pipe that stalls for
// more than a second, so the import runs long however fast the machine is.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
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

enum class Input { Fifo, StandardInput };
enum class Stream { Terminal, File };

struct Case {
    const char* name;
    Input input;
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

// Writes text in two parts with a pause between them, so the import waits.
void writeSlowly(int fd, const std::string& text)
{
    const std::size_t first = text.size() - 1000;
    EXPECT_EQ(::write(fd, text.data(), first), static_cast<ssize_t>(first));
    std::this_thread::sleep_for(std::chrono::milliseconds(1300));
    EXPECT_EQ(::write(fd, text.data() + first, text.size() - first), static_cast<ssize_t>(text.size() - first));
    ::close(fd);
}

TerminalRun runOnTerminal(const Case& c, const std::string& text, const QTemporaryDir& dir)
{
    const std::string fifo = dir.filePath(QStringLiteral("input.txt")).toStdString();
    const std::string outFile = dir.filePath(QStringLiteral("out")).toStdString();
    const std::string errFile = dir.filePath(QStringLiteral("err")).toStdString();
    ::unlink(fifo.c_str());
    int master = -1, slave = -1, pipeFds[2];
    EXPECT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(::pipe(pipeFds), 0);
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(c.input == Input::StandardInput ? pipeFds[0] : ::open("/dev/null", O_RDONLY), 0);
        ::dup2(c.out == Stream::Terminal ? slave : ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2(c.err == Stream::Terminal ? slave : ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        ::close(master);
        ::close(pipeFds[1]);
        const std::string file = c.input == Input::Fifo ? fifo : "-";
        if (c.dryRun)
            ::execl(VELMORA_CLI_PATH, VELMORA_CLI_PATH, "import", "--dry-run", file.c_str(), nullptr);
        else
            ::execl(VELMORA_CLI_PATH, VELMORA_CLI_PATH, "import", file.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(slave);
    ::close(pipeFds[0]);
    std::thread writer([&] {
        writeSlowly(c.input == Input::StandardInput ? pipeFds[1] : ::open(fifo.c_str(), O_WRONLY), text);
        if (c.input == Input::Fifo)
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
        Case{"FileWithPercentages", Input::Fifo, false, Stream::File, Stream::Terminal,
             "\rvelmora-cli import: [0-9]+ of [0-9]+ rows parsed \\([0-9]+%\\)[^]*"
             "\rvelmora-cli import: [0-9]+ of [0-9]+ records saved \\([0-9]+%\\) *\r +\rstatus: Done",
             true},
        Case{"StandardInputCountsOnly", Input::StandardInput, true, Stream::File, Stream::Terminal,
             "^\rvelmora-cli import: [0-9]+ rows parsed *\r +\r<stdin>: note: dry run", true},
        Case{"NotOnTheTerminalOfTheTrace", Input::Fifo, true, Stream::Terminal, Stream::Terminal,
             "^Importing file: [^\r]*\r\n", false},
        Case{"NotWhenStandardErrorIsNoTerminal", Input::StandardInput, false, Stream::Terminal, Stream::File,
             "^status: Done", false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
} // namespace velmora::cli
