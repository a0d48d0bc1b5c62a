// A damaged catalogue file: every command that meets the damage says "the
// catalogue is damaged", names `velmora-cli verify` and never reports success;
// verify says what is wrong.
#include <gtest/gtest.h>

#include <QFile>
#include <cctype>
#include <functional>

#include "support/CliRun.h"
#include "support/CatalogueFixture.h"

namespace {

using velmora::testing::CatalogueFixture;
using velmora::testing::CliRun;
using velmora::testing::RawCatalogue;
using velmora::testing::runCli;

constexpr qint64 kPageSize = 4096;

void Overwrite(const QString& path, qint64 at, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(at);
    file.write(bytes);
}

struct Damage {
    const char* name;
    std::function<void(const QString& path, int structuresRootPage)> apply;
    const char* verifySays;  // part of what verify prints
};

const Damage kDamages[] = {
    {"the structures table's first page overwritten",
     [](const QString& path, int root) { Overwrite(path, (root - 1) * kPageSize, QByteArray(kPageSize, '\x5a')); },
     "is damaged:"},
    {"the file header destroyed", [](const QString& path, int) { Overwrite(path, 0, QByteArray(100, '\x00')); },
     "not a database"},
    {"the file cut to two pages", [](const QString& path, int) { QFile(path).resize(2 * kPageSize); }, "is damaged:"},
    // SQLite reads the missing end of the last page as zeros: only the size tells.
    {"the file cut short by 1000 bytes",
     [](const QString& path, int) { QFile(path).resize(QFile(path).size() - 1000); }, "but its header says it holds"},
};

void PrintTo(const Damage& damage, std::ostream* out)
{
    *out << damage.name;
}

class DamagedCatalogue : public ::testing::TestWithParam<Damage> {
protected:
    void SetUp() override
    {
        path_ = catalogue_.path();
        ASSERT_EQ(runCli("import", {file_}).code, 0);
        int root = 0;
        {
            RawCatalogue raw(path_);
            root = raw.rows(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'Structures'")).value(0).toInt();
        }
        ASSERT_GT(root, 1);
        GetParam().apply(path_, root);
    }

    static void ExpectDamageReported(const CliRun& run, const char* command)
    {
        EXPECT_EQ(run.code, 2) << command << ": " << run.err;
        EXPECT_NE(run.err.find("the catalogue is damaged"), std::string::npos) << command << ": " << run.err;
        EXPECT_NE(run.err.find("`velmora-cli verify`"), std::string::npos) << command << ": " << run.err;
        EXPECT_EQ(run.err.find("status:"), std::string::npos) << command << ": " << run.err;
        EXPECT_EQ(run.out.find("Done. All structures were imported successfully!"), std::string::npos) << command;
        EXPECT_EQ(run.out.find("Cleared the catalogue"), std::string::npos) << command;
    }

    CatalogueFixture catalogue_;
    QString path_;
    std::string file_ = std::string(VELMORA_TEST_DATA_DIR) + "/structures/union_and_flags.txt";
};

TEST_P(DamagedCatalogue, EveryCommandSaysSoAndVerifySaysWhatIsWrong)
{
    ExpectDamageReported(runCli("import", {file_}), "import");
    ExpectDamageReported(runCli("dump", {}), "dump");
    ExpectDamageReported(runCli("clear", {"--yes"}), "clear");

    const CliRun verify = runCli("verify", {});
    EXPECT_EQ(verify.code, 1) << verify.err;
    EXPECT_NE(verify.out.find(GetParam().verifySays), std::string::npos) << verify.out;
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedCatalogue, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name)) name += std::isalnum(c) ? c : '_';
                             return name;
                         });

TEST(VerifyCommand, ASoundCatalogueIsSound)
{
    CatalogueFixture catalogue;
    const QString& path = catalogue.path();
    const CliRun run = runCli("verify", {});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "The catalogue " + path.toStdString() + " is sound.\n");
    EXPECT_EQ(runCli("verify", {"extra"}).code, 2);
}

} // namespace

namespace {

using velmora::testing::Driver;

// Rows whose parent is gone and a missing index: the engine's check sees
// nothing wrong, verify's own checks do, on both drivers.
class VerifyFindings : public ::testing::TestWithParam<Driver> {};

TEST_P(VerifyFindings, OrphansAndMissingIndexesAreFindings)
{
    struct Case {
        QString breakage; // each case adds to the ones before
        QString finding;
    };
    CatalogueFixture catalogue(GetParam());
    const int kept = catalogue.addStructure(QStringLiteral("A"));
    const int structure = catalogue.addStructure(QStringLiteral("B"));
    const int first = catalogue.addMember(structure, QStringLiteral("b1"));
    const int second = catalogue.addMember(structure, QStringLiteral("b2"));
    const int flag = catalogue.addFlag(catalogue.addMember(kept, QStringLiteral("a")), QStringLiteral("F"));
    const int member = catalogue.addMember(kept, QStringLiteral("a2"));
    catalogue.addFlag(member, QStringLiteral("G"));
    const Case cases[] = {
        {{}, {}},
        {QStringLiteral("DELETE FROM Structures WHERE Structure_Index = %1").arg(structure),
         QStringLiteral("Structure_Members: 2 rows whose structure is gone (Member_Index %1, %2)")
             .arg(first)
             .arg(second)},
        {QStringLiteral("DELETE FROM Structure_Members WHERE Member_Index = %1").arg(member),
         QStringLiteral("Structure_Member_Flags: 1 row whose member is gone (Flag_Index %1)").arg(flag + 1)},
        {QStringLiteral("DROP INDEX Flags_By_Member_Name"),
         QStringLiteral("Structure_Member_Flags: the index Flags_By_Member_Name (Member_Index, Flag_Name) is missing")},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.breakage.isEmpty() || catalogue.exec(c.breakage)) << catalogue.lastError().toStdString();
        const CliRun verify = runCli("verify", {});
        if (c.finding.isEmpty()) {
            EXPECT_EQ(verify.code, 0) << verify.out;
            continue;
        }
        EXPECT_EQ(verify.code, 1) << verify.out;
        EXPECT_NE(verify.out.find("  " + c.finding.toStdString() + "\n"), std::string::npos) << verify.out;
    }
}

INSTANTIATE_TEST_SUITE_P(Drivers, VerifyFindings, ::testing::Values(Driver::Embedded, Driver::Postgres));

} // namespace
