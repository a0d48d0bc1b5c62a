// Every command that opens a catalogue works on the one --catalogue names,
// never on the one the alias names (here a sound decoy that must stay as it
// was), and names the named catalogue's fault: one table of command × where
// the catalogue lives × its state.
#include <gtest/gtest.h>

#include <QFile>
#include <cctype>
#include <memory>

#include "catalogue/CatalogueFile.h"
#include "support/CliRun.h"
#include "support/CatalogueFixture.h"
#include "support/PostgresTestServer.h"

namespace velmora::cli {
namespace {

using testing::CliRun;
using testing::runCli;

const std::string File = std::string(VELMORA_TEST_DATA_DIR) + "/structures/pair_and_list.txt";

// Where the named catalogue lives.
enum class Kind { SqliteFile, PostgresUri };
// The named catalogue when the command runs. Damaged: on SQLite the file
// header overwritten, on PostgreSQL a field dropped (the server's pages cannot
// be damaged from here). Locked: another connection holds an exclusive lock
// (SQLite's BEGIN EXCLUSIVE, PostgreSQL's LOCK TABLE ... ACCESS EXCLUSIVE),
// so the command waits the 5 s busy timeout (lock_timeout on PostgreSQL).
// IndexOutOfStep: an index that lacks rows of its table.
enum class State { Sound, Damaged, Missing, Locked, IndexOutOfStep };

const std::string Damaged = "the catalogue is damaged; `velmora-cli verify`";
const std::string Locked = "another program holds a lock on the catalogue; gave up after waiting 5.0 seconds";
const std::string NoFile = "does not exist; create it with `velmora-cli init`";
const std::string NoDatabase = "does not exist on the server";

struct Case {
    std::vector<std::string> command;   // the words after "--catalogue NAMED"
    Kind kind;
    State state;
    int code;
    std::string says;   // on standard output or error
    const char* notProducible = nullptr;   // why this driver cannot give the cell: then it is not run
};

const char* const OnlyAmcheck = "a PostgreSQL index out of step with its table is visible to amcheck only";
const char* const NoServerFiles = "the tests cannot change the server's index pages under it";

const std::vector<std::string> Dump{"dump", "Structures"}, Clear{"clear", "--yes"}, Import{"import", File},
    DryRun{"import", "--dry-run", File}, Verify{"verify"};

const Case kCases[] = {
    // command  kind              state          code  says
    {Dump, Kind::SqliteFile, State::Sound, 0, "\tDDRGBA\t"},
    {Clear, Kind::SqliteFile, State::Sound, 0, "Cleared the catalogue: 2 structures, 6 members, 0 flags removed\n"},
    {Import, Kind::SqliteFile, State::Sound, 0, ": note: 2 of the file's 2 structures were in DirectDraw"},
    {DryRun, Kind::SqliteFile, State::Sound, 0, ": note: dry run: nothing was stored in the catalogue"},
    {Verify, Kind::SqliteFile, State::Sound, 0, " is sound.\n"},
    {Dump, Kind::SqliteFile, State::Damaged, 2, Damaged},
    {Clear, Kind::SqliteFile, State::Damaged, 2, Damaged},
    {Import, Kind::SqliteFile, State::Damaged, 2, Damaged},
    {DryRun, Kind::SqliteFile, State::Damaged, 2, Damaged},
    {Verify, Kind::SqliteFile, State::Damaged, 1, " is damaged:\n"},
    {Dump, Kind::SqliteFile, State::Missing, 2, NoFile},
    {Clear, Kind::SqliteFile, State::Missing, 2, NoFile},
    {Import, Kind::SqliteFile, State::Missing, 2, NoFile},
    {DryRun, Kind::SqliteFile, State::Missing, 2, NoFile},
    {Verify, Kind::SqliteFile, State::Missing, 2, NoFile},
    {Dump, Kind::SqliteFile, State::Locked, 2, Locked},
    {Clear, Kind::SqliteFile, State::Locked, 2, Locked},
    {Import, Kind::SqliteFile, State::Locked, 2, Locked},
    {DryRun, Kind::SqliteFile, State::Locked, 2, Locked},
    {Verify, Kind::SqliteFile, State::Locked, 2, Locked},

    {Dump, Kind::PostgresUri, State::Sound, 0, "\tDDRGBA\t"},
    {Clear, Kind::PostgresUri, State::Sound, 0, "Cleared the catalogue: 2 structures, 6 members, 0 flags removed\n"},
    {Import, Kind::PostgresUri, State::Sound, 0, ": note: 2 of the file's 2 structures were in DirectDraw"},
    {DryRun, Kind::PostgresUri, State::Sound, 0, ": note: dry run: nothing was stored in the catalogue"},
    {Verify, Kind::PostgresUri, State::Sound, 0, " is sound.\n"},
    {Dump, Kind::PostgresUri, State::Damaged, 2, Damaged},
    {Clear, Kind::PostgresUri, State::Damaged, 2, Damaged},
    {Import, Kind::PostgresUri, State::Damaged, 2, Damaged},
    {DryRun, Kind::PostgresUri, State::Damaged, 2, Damaged},
    {Verify, Kind::PostgresUri, State::Damaged, 1, "the table Structures has no field BCB_Description"},
    {Dump, Kind::PostgresUri, State::Missing, 2, NoDatabase},
    {Clear, Kind::PostgresUri, State::Missing, 2, NoDatabase},
    {Import, Kind::PostgresUri, State::Missing, 2, NoDatabase},
    {DryRun, Kind::PostgresUri, State::Missing, 2, NoDatabase},
    {Verify, Kind::PostgresUri, State::Missing, 2, NoDatabase},
    {Dump, Kind::PostgresUri, State::Locked, 2, Locked},
    {Clear, Kind::PostgresUri, State::Locked, 2, Locked},
    {Import, Kind::PostgresUri, State::Locked, 2, Locked},
    {DryRun, Kind::PostgresUri, State::Locked, 2, Locked},
    {Verify, Kind::PostgresUri, State::Locked, 2, Locked},
    {Dump, Kind::PostgresUri, State::IndexOutOfStep, 0, "\tDDRGBA\t", OnlyAmcheck},
    {Clear, Kind::PostgresUri, State::IndexOutOfStep, 0, "Cleared the catalogue", OnlyAmcheck},
    {Import, Kind::PostgresUri, State::IndexOutOfStep, 0, ": note: 2 of the file's 2", OnlyAmcheck},
    {DryRun, Kind::PostgresUri, State::IndexOutOfStep, 0, ": note: dry run", OnlyAmcheck},
    {Verify, Kind::PostgresUri, State::IndexOutOfStep, 1, " is damaged:\n", NoServerFiles},
};

std::string nameOf(const Case& c)
{
    std::string name = c.kind == Kind::SqliteFile ? "Sqlite_" : "Postgres_";
    for (const std::string& word : c.command)
        if (word != File)
            for (const char ch : word)
                name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    static const char* const states[] = {"_Sound", "_Damaged", "_Missing", "_Locked", "_IndexOutOfStep"};
    return name + states[static_cast<int>(c.state)];
}

void PrintTo(const Case& c, std::ostream* out)
{
    *out << nameOf(c);
}

std::vector<Case> producibleCases()
{
    std::vector<Case> cases;
    for (const Case& c : kCases)
        if (!c.notProducible)
            cases.push_back(c);
    return cases;
}

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class NamedCatalogue : public ::testing::TestWithParam<Case> {
protected:
    // The --catalogue value of a catalogue of the given kind, made as the case needs it.
    std::string makeNamed(Kind kind, State state)
    {
        std::string named;
        if (kind == Kind::SqliteFile) {
            const QString path = decoy_.env().root() + QStringLiteral("/named.sqlite");
            named = path.toStdString();
            if (state == State::Missing)
                return named;
            EXPECT_EQ(runCli({"--catalogue", named, "init"}).code, 0);
        } else {
            server_ = std::make_unique<testing::PostgresScratchSchema>();
            named = server_->uri().toStdString();
            if (state == State::Missing)
                return named.substr(0, named.rfind('/') + 1) + "velmora_no_such_database" +
                       named.substr(named.find('?') == std::string::npos ? named.size() : named.find('?'));
            catalogue::CatalogueFile::ensureOnServer(server_->entry());
        }
        EXPECT_EQ(runCli({"--catalogue", named, "import", File}).code, 0);
        if (state == State::Damaged && kind == Kind::SqliteFile) {
            QFile file(QString::fromStdString(named));
            EXPECT_TRUE(file.open(QIODevice::ReadWrite));
            file.write(QByteArray(100, '\0'));
        } else if (state == State::Damaged) {
            server_->exec(QStringLiteral("ALTER TABLE Structures DROP COLUMN BCB_Description"));
        } else if (state == State::Locked) {
            holder_ = kind == Kind::SqliteFile ? std::make_unique<testing::RawCatalogue>(QString::fromStdString(named))
                                               : std::make_unique<testing::RawCatalogue>(server_->entry());
            // SQLite's exclusive lock keeps every other connection from even reading.
            EXPECT_TRUE(holder_->exec(kind == Kind::SqliteFile ? QStringLiteral("BEGIN EXCLUSIVE")
                                                               : QStringLiteral("BEGIN")));
            if (kind == Kind::PostgresUri) {
                EXPECT_TRUE(holder_->exec(QStringLiteral("LOCK TABLE Structures IN ACCESS EXCLUSIVE MODE")))
                    << holder_->lastError().toStdString();
            }
        }
        return named;
    }

    testing::CatalogueFixture decoy_;   // empty, and the alias names it
    std::unique_ptr<testing::PostgresScratchSchema> server_;
    std::unique_ptr<testing::RawCatalogue> holder_;   // holds the lock while the command runs
};

TEST_P(NamedCatalogue, TheCommandWorksOnTheNamedCatalogueOrNamesItsFault)
{
    const Case& c = GetParam();
    const std::string named = makeNamed(c.kind, c.state);
    const QByteArray decoyBefore = bytes(decoy_.path());
    ASSERT_EQ(decoy_.rowCount(QStringLiteral("Structures")), 0);

    std::vector<std::string> words{"--catalogue", named};
    words.insert(words.end(), c.command.begin(), c.command.end());
    const CliRun run = runCli(words);

    EXPECT_EQ(run.code, c.code) << run.out << run.err;
    EXPECT_NE((run.out + run.err).find(c.says), std::string::npos) << run.out << run.err;
    if (c.state == State::Locked) {   // a lock is never damage, and no reason to restore
        EXPECT_EQ((run.out + run.err).find("damaged"), std::string::npos) << run.out << run.err;
    }
    EXPECT_EQ(bytes(decoy_.path()), decoyBefore);
}

INSTANTIATE_TEST_SUITE_P(Commands, NamedCatalogue, ::testing::ValuesIn(producibleCases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return nameOf(info.param); });

} // namespace
} // namespace velmora::cli
