// import --emit-json: what was parsed, read back with QJsonDocument and held
// against what the save stored and a file written out by hand.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "support/CliRun.h"
#include "import/StructuresTestSupport.h"
#include "support/CatalogueFixture.h"

namespace velmora::cli {
namespace {

using velmora::testing::CliRun;
using velmora::testing::runCli;

const std::string InterfacesFile = std::string(VELMORA_TEST_DATA_DIR) + "/interfaces/two_interfaces.txt";

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

class EmitJson : public ::testing::Test {
protected:
    QString jsonPath(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    testing::CatalogueFixture catalogue_;
    QTemporaryDir dir_;
};

// Every record as "structure.member.flag|text", sorted: the JSON's nesting
// must give exactly the parents the save gave.
TEST_F(EmitJson, StructuresNestTheirMembersAndFlagsAsTheSaveLinksThem)
{
    const std::string file = testing::StructuresDataPath("union_and_flags.txt");
    const CliRun run = runCli("import", {"--emit-json", jsonPath("s.json").toStdString(), file});
    ASSERT_EQ(run.code, 0) << run.err;
    const QJsonObject json = readJson(jsonPath("s.json"));
    EXPECT_EQ(json[QStringLiteral("kind")].toString(), QStringLiteral("Structures"));
    EXPECT_EQ(json[QStringLiteral("file")].toString().toStdString(), file);

    QStringList records;
    for (const QJsonValue& s : json[QStringLiteral("structures")].toArray()) {
        const QString structure = s[QStringLiteral("name")].toString();
        records << structure + '|' + s[QStringLiteral("description")].toString();
        for (const QJsonValue& m : s[QStringLiteral("members")].toArray()) {
            const QString member = structure + '.' + m[QStringLiteral("name")].toString();
            records << member + '|' + m[QStringLiteral("type")].toString() + '|' +
                           m[QStringLiteral("description")].toString();
            for (const QJsonValue& f : m[QStringLiteral("flags")].toArray())
                records << member + '.' + f[QStringLiteral("name")].toString() + '|' +
                               f[QStringLiteral("description")].toString();
        }
    }
    records.sort();
    EXPECT_EQ(records.size(), 2 + 7 + 5) << records.join('\n').toStdString();
    QStringList stored = catalogue_.rows(QStringLiteral(
                           "select Structure_Name || '|' || Structure_Description from Structures union all "
                           "select s.Structure_Name || '.' || m.Member_Name || '|' || m.Member_Type || '|' || "
                           "m.Member_Description from Structure_Members m join Structures s using (Structure_Index) "
                           "union all select s.Structure_Name || '.' || m.Member_Name || '.' || f.Flag_Name || '|' || "
                           "f.Flag_Description from Structure_Member_Flags f join Structure_Members m "
                           "using (Member_Index) join Structures s on s.Structure_Index = f.Structure_Index"));
    stored.sort();
    EXPECT_EQ(records, stored);

    // A dry run writes the same object.
    ASSERT_EQ(runCli("import", {"--dry-run", "--emit-json", jsonPath("d.json").toStdString(), file}).code, 0);
    EXPECT_EQ(readJson(jsonPath("d.json")), json);
}

// The lists of the file, written out by hand once in the golden file.
TEST_F(EmitJson, InterfacesAreTheParsersListsByNameInParseOrder)
{
    const std::string input = testing::ReadTextFile(InterfacesFile);
    const CliRun run = runCli({"import", "--emit-json", jsonPath("i.json").toStdString(), "-"}, input);
    ASSERT_EQ(run.code, 0) << run.err;
    const QJsonObject golden = readJson(QStringLiteral(VELMORA_TEST_DATA_DIR "/interfaces/two_interfaces.json"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(readJson(jsonPath("i.json")), golden)
        << QJsonDocument(readJson(jsonPath("i.json"))).toJson().toStdString();
}

TEST_F(EmitJson, AFailedParseWritesNoFileAndAFailedWriteStoresNothing)
{
    struct Case {
        std::string file;
        QString json;
        int code;
        std::string err;   // the first line on standard error
    };
    const QString folder = dir_.path();
    const std::vector<Case> cases{
        {testing::StructuresDataPath("errors/flag_after_flag.txt"), jsonPath("e.json"), 1,
         testing::StructuresDataPath("errors/flag_after_flag.txt") +
             ":12: error: a flag was encountered followed immediately by another flag"},
        {testing::StructuresDataPath("pair_and_list.txt"), folder, 2,
         "velmora-cli import: cannot write " + folder.toStdString() + ": "},
        {testing::StructuresDataPath("pair_and_list.txt"), QStringLiteral("/dev/full"), 2,
         "velmora-cli import: cannot write /dev/full: No space left on device"},
        {InterfacesFile, QStringLiteral("/dev/full"), 2,
         "velmora-cli import: cannot write /dev/full: No space left on device"},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli("import", {"--emit-json", c.json.toStdString(), c.file});
        EXPECT_EQ(run.code, c.code) << c.file;
        EXPECT_EQ(run.firstErrLine().substr(0, c.err.size()), c.err);
        if (c.code == 2) {
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        }
    }
    EXPECT_FALSE(QFile::exists(jsonPath("e.json")));
    EXPECT_EQ(catalogue_.rowCount(QStringLiteral("Structures")), 0);
}

} // namespace
} // namespace velmora::cli
