// A damaged catalogue file: every command that meets the damage says "the
// catalogue is damaged", names `velmora-cli verify` and never reports success;
// verify says what is wrong.
#include <gtest/gtest.h>

#include <QFile>
#include <cctype>
#include <functional>

#include "cli/CliRun.h"
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
    {"the file header destroyed",
     [](const QString& path, int) { Overwrite(path, 0, QByteArray(100, '\x00')); },
     "not a database"},
    {"the file cut to two pages",
     [](const QString& path, int) { QFile(path).resize(2 * kPageSize); },
     "is damaged:"},
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
    ExpectDamageReported(runCli("clear", {}), "clear");

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
