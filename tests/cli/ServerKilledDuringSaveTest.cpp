// The PostgreSQL server dies while `velmora-cli import` is saving: the import
// ends with a clear message and exit 2, and once the server is back nothing
// of that import is stored. The test runs a server of its own for this.
#include <gtest/gtest.h>

#include <QUuid>

#include "cli/CliProcess.h"
#include "cli/ImportChild.h"
#include "support/TempCatalogueEnv.h"

namespace {

using velmora::testing::ImportChild;
using velmora::testing::runProgram;
using velmora::testing::runVelmoraCli;
using Finished = velmora::testing::ProgramRun;
using velmora::testing::TempCatalogueEnv;

// A server of the test's own in a folder of its own, stopped and removed
// when the test ends, however it ends.
class OwnServer {
public:
    OwnServer() : folder_(QStringLiteral("/tmp/velmora-pg-") + QUuid::createUuid().toString(QUuid::Id128).left(12))
    {
        const Finished started = script(QStringLiteral("start"));
        if (started.code != 0)
            throw std::runtime_error(("cannot start a server: " + started.err).toStdString());
        keywords_ = started.out.trimmed();
    }
    ~OwnServer() { script(QStringLiteral("stop")); }
    OwnServer(const OwnServer&) = delete;
    OwnServer& operator=(const OwnServer&) = delete;

    const QString& keywords() const { return keywords_; }
    Finished script(const QString& action) const
    {
        return runProgram(QStringLiteral(VELMORA_POSTGRES_SCRIPT), {action, folder_});
    }

private:
    QString folder_;
    QString keywords_;
};

TEST(ServerKilledDuringSave, TheImportEndsWithAClearMessageAndStoresNothing)
{
    TempCatalogueEnv env;
    OwnServer server;
    ASSERT_EQ(runVelmoraCli({QStringLiteral("init"), QStringLiteral("--postgres"), server.keywords()}).code, 0);
    const std::string dir = env.root().toStdString();
    velmora::testing::writeStructuresFile(dir + "/before.txt", "A", 3, 2);
    velmora::testing::writeStructuresFile(dir + "/killed.txt", "K", 200, 4);
    ASSERT_EQ(runVelmoraCli({QStringLiteral("import"), QString::fromStdString(dir + "/before.txt")}).code, 0);
    const Finished before = runVelmoraCli({QStringLiteral("dump")});
    ASSERT_EQ(before.code, 0) << before.err.toStdString();
    // The test server commits without waiting for its log: make what is stored so far survive the kill.
    ASSERT_EQ(runProgram(QStringLiteral("psql"), {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-d"),
                                                   server.keywords(), QStringLiteral("-c"), QStringLiteral("CHECKPOINT")})
                  .code,
              0);

    ImportChild import(dir + "/killed.txt", dir + "/killed.err");
    int saveLines = 0;
    // Half-way through the members: structures written, the commit still to come.
    ASSERT_TRUE(import.readUntil([&](const std::string& line) {
        return velmora::testing::isSaveLine(line) && ++saveLines == 200 + 400;
    }));
    ASSERT_EQ(server.script(QStringLiteral("kill")).code, 0);
    EXPECT_EQ(import.wait(), 2);
    // The driver's own warnings may come first; the command's message ends it.
    const QString errors = QString::fromStdString(import.standardError()).trimmed();
    const QString message = errors.section(QLatin1Char('\n'), -1);
    EXPECT_TRUE(message.startsWith(QStringLiteral("velmora-cli import: Cannot write to the table Structure_")))
        << errors.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral(": the connection to the catalogue's server was lost (")))
        << errors.toStdString();

    ASSERT_EQ(server.script(QStringLiteral("restart")).code, 0);
    const Finished after = runVelmoraCli({QStringLiteral("dump")});
    EXPECT_EQ(after.code, 0) << after.err.toStdString();
    EXPECT_EQ(after.out.toStdString(), before.out.toStdString());
}

} // namespace
