#include <gtest/gtest.h>

#include <QCommandLineOption>

#include "support/CliRun.h"
#include "cli/CommandLine.h"
#include "support/TempCatalogueEnv.h"

namespace velmora::cli {
namespace {

using testing::CliRun;
using testing::runCli;

// One command line, what it returns and the first line it writes where.
struct ArgumentCase {
    std::vector<std::string> words;
    int code;
    bool onStandardOutput;
    std::string firstLine;
};

void PrintTo(const ArgumentCase& c, std::ostream* os)
{
    *os << ::testing::PrintToString(c.words);
}

class ArgumentTable : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentTable, ExitCodeStreamAndFirstLine)
{
    testing::TempCatalogueEnv env;   // no catalogue: nothing here may reach one
    const ArgumentCase& c = GetParam();
    const CliRun run = runCli(c.words);
    EXPECT_EQ(run.code, c.code) << run.err;
    EXPECT_EQ(c.onStandardOutput ? run.firstOutLine() : run.firstErrLine(), c.firstLine);
    EXPECT_EQ(c.onStandardOutput ? run.err : run.out, "");
}

const std::string File = std::string(VELMORA_TEST_DATA_DIR) + "/structures/pair_and_list.txt";
const std::string ProgramUsage = "usage: velmora-cli [--catalogue PATH] COMMAND [ARGS]";

INSTANTIATE_TEST_SUITE_P(Program, ArgumentTable, ::testing::Values(
    ArgumentCase{{}, 2, false, ProgramUsage},
    ArgumentCase{{"--help"}, 0, true, ProgramUsage},
    ArgumentCase{{"-h"}, 0, true, ProgramUsage},
    ArgumentCase{{"help"}, 0, true, ProgramUsage},
    ArgumentCase{{"--version"}, 0, true, "velmora-cli " VELMORA_VERSION},
    ArgumentCase{{"--version", "import"}, 0, true, "velmora-cli " VELMORA_VERSION},
    ArgumentCase{{"frobnicate"}, 2, false, "velmora-cli: unknown command 'frobnicate'"},
    ArgumentCase{{"--x", "import"}, 2, false, "velmora-cli: unknown option '--x'"},
    ArgumentCase{{"help", "frobnicate"}, 2, false, "velmora-cli help: unknown command 'frobnicate'"},
    ArgumentCase{{"help", "import", "dump"}, 2, false, "velmora-cli: unexpected argument 'dump' for 'help'"},
    ArgumentCase{{"help", "import"}, 0, true, "usage: velmora-cli import [--class NAME] [--dry-run | --update] [--emit-json PATH] FILE"}));

INSTANTIATE_TEST_SUITE_P(Import, ArgumentTable, ::testing::Values(
    ArgumentCase{{"import", "--help"}, 0, true, "usage: velmora-cli import [--class NAME] [--dry-run | --update] [--emit-json PATH] FILE"},
    ArgumentCase{{"import", File, "-h"}, 0, true, "usage: velmora-cli import [--class NAME] [--dry-run | --update] [--emit-json PATH] FILE"},
    ArgumentCase{{"import", "--x", File}, 2, false, "velmora-cli: unknown option '--x' for 'import'"},
    ArgumentCase{{"import", "-v", File}, 2, false, "velmora-cli: unknown option '-v' for 'import'"},
    ArgumentCase{{"import"}, 2, false, "velmora-cli: missing FILE for 'import'"},
    ArgumentCase{{"import", "--dry-run"}, 2, false, "velmora-cli: missing FILE for 'import'"},
    ArgumentCase{{"import", File, "--class"}, 2, false, "velmora-cli: missing value after '--class' for 'import'"},
    ArgumentCase{{"import", "--dry-run=yes", File}, 2, false,
                 "velmora-cli: unexpected value after '--dry-run' for 'import'"},
    ArgumentCase{{"import", "--dry-run", "--dry-run", File}, 2, false,
                 "velmora-cli: option '--dry-run' given twice for 'import'"},
    ArgumentCase{{"import", "--class", "DirectDraw", "--class=DirectSound", File}, 2, false,
                 "velmora-cli: option '--class' given twice for 'import'"},
    ArgumentCase{{"import", File, File}, 2, false, "velmora-cli: unexpected argument '" + File + "' for 'import'"},
    ArgumentCase{{"import", "--class=", "--dry-run", File}, 2, false,
                 "velmora-cli import: --class needs a foundation class name"},
    ArgumentCase{{"import", "--dry-run", File, "--emit-json"}, 2, false,
                 "velmora-cli: missing value after '--emit-json' for 'import'"},
    ArgumentCase{{"import", "--dry-run", "--emit-json=", File}, 2, false,
                 "velmora-cli import: --emit-json needs a file name"},
    ArgumentCase{{"import", "--dry-run", "--emit-json=/nonexistent/a.json", File}, 2, false,
                 "velmora-cli import: cannot write /nonexistent/a.json: the folder /nonexistent does not exist"},
    ArgumentCase{{"import", "--emit-json=a.json", "--emit-json=b.json", File}, 2, false,
                 "velmora-cli: option '--emit-json' given twice for 'import'"},
    ArgumentCase{{"import", "--update", "--dry-run", File}, 2, false,
                 "velmora-cli import: --dry-run stores nothing and --update stores; give one of them"}));

INSTANTIATE_TEST_SUITE_P(Dump, ArgumentTable, ::testing::Values(
    ArgumentCase{{"dump", "--help"}, 0, true, "usage: velmora-cli dump [--format tsv|csv|json] [TABLE]"},
    ArgumentCase{{"dump", "--format", "xml"}, 2, false,
                 "velmora-cli dump: unknown format 'xml'; FORMAT is one of tsv, csv, json"},
    ArgumentCase{{"dump", "--format"}, 2, false, "velmora-cli: missing value after '--format' for 'dump'"},
    ArgumentCase{{"dump", "--format=csv", "--format=json"}, 2, false,
                 "velmora-cli: option '--format' given twice for 'dump'"},
    ArgumentCase{{"dump", "Interfaces"}, 2, false,
                 "velmora-cli dump: unknown table 'Interfaces'; TABLE is one of Structures, Structure_Members, "
                 "Structure_Member_Flags, Foundation_Classes"},
    ArgumentCase{{"dump", "Structures", "Structure_Members"}, 2, false,
                 "velmora-cli: unexpected argument 'Structure_Members' for 'dump'"},
    ArgumentCase{{"dump", "--tsv"}, 2, false, "velmora-cli: unknown option '--tsv' for 'dump'"}));

INSTANTIATE_TEST_SUITE_P(Init, ArgumentTable, ::testing::Values(
    ArgumentCase{{"init", "-h"}, 0, true, "usage: velmora-cli init [--database PATH]"},
    ArgumentCase{{"init", "--database"}, 2, false, "velmora-cli: missing value after '--database' for 'init'"},
    ArgumentCase{{"init", "--database="}, 2, false, "velmora-cli init: --database needs a path"},
    ArgumentCase{{"init", "--database=a", "--database=b"}, 2, false,
                 "velmora-cli: option '--database' given twice for 'init'"},
    ArgumentCase{{"init", "here.sqlite"}, 2, false, "velmora-cli: unexpected argument 'here.sqlite' for 'init'"}));

INSTANTIATE_TEST_SUITE_P(Clear, ArgumentTable, ::testing::Values(
    ArgumentCase{{"clear", "--help"}, 0, true, "usage: velmora-cli clear [--yes]"},
    ArgumentCase{{"clear", "--all"}, 2, false, "velmora-cli: unknown option '--all' for 'clear'"},
    ArgumentCase{{"clear", "all"}, 2, false, "velmora-cli: unexpected argument 'all' for 'clear'"}));

INSTANTIATE_TEST_SUITE_P(Use, ArgumentTable, ::testing::Values(
    ArgumentCase{{"use", "--help"}, 0, true, "usage: velmora-cli use CATALOGUE"},
    ArgumentCase{{"use"}, 2, false, "velmora-cli: missing CATALOGUE for 'use'"},
    ArgumentCase{{"use", "a.sqlite", "b.sqlite"}, 2, false, "velmora-cli: unexpected argument 'b.sqlite' for 'use'"}));

INSTANTIATE_TEST_SUITE_P(Convert, ArgumentTable, ::testing::Values(
    ArgumentCase{{"convert", "--help"}, 0, true,
                 "usage: velmora-cli convert --header HEADER [--header HEADER]... [-o OUT] [--utf8] [--log FILE] "
                 "PAGE..."},
    ArgumentCase{{"convert", "--header", "ddraw.h"}, 2, false, "velmora-cli: missing PAGE for 'convert'"},
    ArgumentCase{{"convert", "page.md"}, 2, false, "velmora-cli convert: --header HEADER is required"},
    ArgumentCase{{"convert", "--header=", "page.md"}, 2, false, "velmora-cli convert: --header HEADER is required"},
    ArgumentCase{{"convert", "--header", "a.h", "-o", "x", "--output=y", "page.md"}, 2, false,
                 "velmora-cli: option '--output' given twice for 'convert'"},
    ArgumentCase{{"convert", "--header", "/nonexistent/a.h", "--header", "b.h", "page.md"}, 2, false,
                 "velmora-cli convert: cannot read '/nonexistent/a.h': No such file or directory"}));

TEST(CommandLineTest, AMistakeEndsWithTheCommandsUsage)
{
    const CliRun run = runCli({"import", "--verbose", File});
    EXPECT_EQ(run.err, "velmora-cli: unknown option '--verbose' for 'import'\n"
                       "usage: velmora-cli import [--class NAME] [--dry-run | --update] [--emit-json PATH] FILE\n");
}

TEST(CommandLineTest, EachCommandsHelpShowsEveryOptionArgumentAndTheExitStatus)
{
    const CommandLine commandLine;
    const CliRun program = runCli({"--help"});
    for (const char* name : {"init", "use", "import", "dump", "clear", "convert", "help"}) {
        const Command* command = commandLine.command(QString::fromLatin1(name));
        ASSERT_NE(command, nullptr) << name;
        EXPECT_NE(program.out.find("\n  " + std::string(name)), std::string::npos) << name;

        const CliRun help = runCli({name, "--help"});
        const CliRun viaHelp = runCli({"help", name});
        EXPECT_EQ(help.out, viaHelp.out);
        EXPECT_NE(help.out.find(command->description().left(40).toStdString()), std::string::npos) << help.out;
        EXPECT_NE(help.out.find("\nExit status: "), std::string::npos) << help.out;
        for (const QCommandLineOption& option : command->options())
            EXPECT_NE(help.out.find("--" + option.names().last().toStdString()), std::string::npos) << help.out;
        for (const CommandArgument& argument : command->arguments())
            EXPECT_NE(help.out.find("\n  " + argument.name.toStdString()), std::string::npos) << help.out;
    }
}

} // namespace
} // namespace velmora::cli
