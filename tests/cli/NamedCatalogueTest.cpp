// Every command that opens a catalogue works on the one --catalogue names,
// never on the one the alias names: here a sound decoy that must stay as it was.
#include <gtest/gtest.h>

#include <QFile>
#include <cctype>

#include "support/CliRun.h"
#include "support/CatalogueFixture.h"

namespace velmora::cli {
namespace {

using testing::CliRun;
using testing::runCli;

const std::string File = std::string(VELMORA_TEST_DATA_DIR) + "/structures/pair_and_list.txt";

// Where the named catalogue lives.
enum class Kind { SqliteFile };
// The named catalogue when the command runs: pair_and_list.txt imported, and
// for Damaged its file header overwritten.
enum class State { Sound, Damaged };

struct Case {
    std::vector<std::string> command;   // the words after "--catalogue NAMED"
    Kind kind;
    State state;
    int code;
    std::string says;   // on standard output or error; "{named}" is the --catalogue value
};

const Case kCases[] = {
    {{"dump", "Structures"}, Kind::SqliteFile, State::Sound, 0, "\tDDRGBA\t"},
    {{"clear", "--yes"}, Kind::SqliteFile, State::Sound, 0,
     "Cleared the catalogue: 2 structures, 6 members, 0 flags removed\n"},
    {{"import", File}, Kind::SqliteFile, State::Sound, 0, ": note: 2 of the file's 2 structures were in DirectDraw"},
    {{"import", "--dry-run", File}, Kind::SqliteFile, State::Damaged, 2, "the catalogue is damaged"},
    {{"verify"}, Kind::SqliteFile, State::Sound, 0, "The catalogue {named} is sound.\n"},
    {{"verify"}, Kind::SqliteFile, State::Damaged, 1, "The catalogue {named} is damaged:\n"},
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << ::testing::PrintToString(c.command) << (c.state == State::Sound ? " sound" : " damaged");
}

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class NamedCatalogue : public ::testing::TestWithParam<Case> {
protected:
    // The --catalogue value of a new catalogue of the given kind, made as the case needs it.
    std::string makeNamed(Kind kind, State state)
    {
        switch (kind) {
        case Kind::SqliteFile: {
            const QString path = decoy_.env().root() + QStringLiteral("/named.sqlite");
            const std::string named = path.toStdString();
            EXPECT_EQ(runCli({"--catalogue", named, "init"}).code, 0);
            EXPECT_EQ(runCli({"--catalogue", named, "import", File}).code, 0);
            if (state == State::Damaged) {
                QFile file(path);
                EXPECT_TRUE(file.open(QIODevice::ReadWrite));
                file.write(QByteArray(100, '\0'));
            }
            return named;
        }
        }
        return {};
    }

    testing::CatalogueFixture decoy_;   // empty, and the alias names it
};

TEST_P(NamedCatalogue, TheCommandWorksOnTheNamedCatalogueAndLeavesTheDecoyAlone)
{
    const Case& c = GetParam();
    const std::string named = makeNamed(c.kind, c.state);
    const QByteArray decoyBefore = bytes(decoy_.path());
    ASSERT_EQ(decoy_.rowCount(QStringLiteral("Structures")), 0);

    std::vector<std::string> words{"--catalogue", named};
    words.insert(words.end(), c.command.begin(), c.command.end());
    const CliRun run = runCli(words);

    std::string says = c.says;
    if (const auto at = says.find("{named}"); at != std::string::npos)
        says.replace(at, 7, named);
    EXPECT_EQ(run.code, c.code) << run.err;
    EXPECT_NE((run.out + run.err).find(says), std::string::npos) << run.out << run.err;
    EXPECT_EQ(bytes(decoy_.path()), decoyBefore);
}

INSTANTIATE_TEST_SUITE_P(Commands, NamedCatalogue, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const std::string& word : info.param.command)
                                 if (word != File)
                                     for (const char ch : word)
                                         name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name + (info.param.state == State::Sound ? "_Sound" : "_Damaged");
                         });

} // namespace
} // namespace velmora::cli
