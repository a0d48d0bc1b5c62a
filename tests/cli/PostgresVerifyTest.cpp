// velmora-cli verify on a PostgreSQL catalogue: the server's own checks
// (amcheck) where the user may run them, a read of every table where not.

#include <gtest/gtest.h>

#include <QSettings>

#include "cli/CliProcess.h"
#include "support/PostgresTestServer.h"
#include "support/TempCatalogueEnv.h"

using velmora::testing::PostgresScratchSchema;
using velmora::testing::TempCatalogueEnv;
using velmora::testing::runVelmoraCli;
using velmora::testing::testDataPath;

namespace {

struct VerifyCase {
    const char* name;
    const char* breakage;   // run on the imported catalogue; %1 is its schema, %2 a role of its own
    bool asOtherRole;       // verify as that role, which may read the tables but not run amcheck
    int code;
    std::vector<const char*> says;
};

void PrintTo(const VerifyCase& c, std::ostream* os) { *os << c.name; }

class PostgresVerifyTest : public ::testing::TestWithParam<VerifyCase> {};

TEST_P(PostgresVerifyTest, SaysWhatTheServerFinds)
{
    const VerifyCase& c = GetParam();
    TempCatalogueEnv env;
    PostgresScratchSchema server;
    ASSERT_EQ(runVelmoraCli({QStringLiteral("init"), QStringLiteral("--postgres"), server.uri()}).code, 0);
    ASSERT_EQ(runVelmoraCli({QStringLiteral("import"), testDataPath(QStringLiteral("structures/union_and_flags.txt"))}).code, 0);
    const QString role = server.schema() + QStringLiteral("_reader");
    server.exec(QStringLiteral("CREATE ROLE %1 LOGIN").arg(role));
    if (*c.breakage)
        server.exec(QString::fromUtf8(c.breakage).arg(server.schema(), role));
    if (c.asOtherRole)
        QSettings(env.aliasFile(), QSettings::IniFormat).setValue(QStringLiteral("Corvane/user"), role);

    const velmora::testing::ProgramRun verify = runVelmoraCli({QStringLiteral("verify")});
    const std::string out = verify.out.toStdString();
    server.exec(QStringLiteral("DROP OWNED BY %1; DROP ROLE %1").arg(role));
    EXPECT_EQ(verify.code, c.code) << out;
    for (const char* part : c.says)
        EXPECT_NE(out.find(part), std::string::npos) << part << " in:\n" << out;
    // The checks leave nothing behind: amcheck is created for them only.
    EXPECT_NO_THROW(server.exec(QStringLiteral(
        "DO $$ BEGIN IF EXISTS (SELECT FROM pg_extension WHERE extname = 'amcheck') THEN RAISE 'left behind'; "
        "END IF; END $$")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PostgresVerifyTest,
    ::testing::Values(
        VerifyCase{"Sound", "", false, 0, {"is sound", "The server's amcheck checked "}},
        // An index whose order no longer matches its rows, as after a change of
        // the collation it was built with.
        VerifyCase{"IndexOutOfStepWithItsTable",
                   "CREATE FUNCTION %1.key_order(integer) RETURNS integer IMMUTABLE LANGUAGE sql AS 'SELECT $1';"
                   "CREATE INDEX structures_key_order ON %1.structures (%1.key_order(structure_index));"
                   "CREATE OR REPLACE FUNCTION %1.key_order(integer) RETURNS integer IMMUTABLE LANGUAGE sql "
                   "AS 'SELECT -$1'",
                   false, 1, {"is damaged", "structures_key_order", "lacks matching index tuple"}},
        VerifyCase{"UserMayNotRunAmcheck",
                   "GRANT USAGE ON SCHEMA %1 TO %2; GRANT SELECT ON ALL TABLES IN SCHEMA %1 TO %2", true, 0,
                   {"is sound", "could not run (amcheck: permission denied", "every table was read instead"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
