// dump --format csv|json read back by a CSV parser (libcsv) and Qt's JSON
// parser: every value comes back as stored, whatever characters it holds.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <csv.h>

#include "support/CliRun.h"
#include "support/CatalogueFixture.h"

namespace velmora::cli {
namespace {

using testing::CliRun;
using testing::runCli;

const QStringList Awkward{QStringLiteral("say \"hi\", then go"), QStringLiteral("a\ttab and a \\ backslash"),
                          QStringLiteral("two\r\nlines\nand a lone\rCR"), QStringLiteral("Größe € ü ‚quoted‘"),
                          QStringLiteral(" spaces kept "), QString()};

using Records = std::vector<std::vector<std::string>>;

// The records of a CSV text as libcsv reads them in strict mode.
Records parseCsv(const std::string& text)
{
    Records records(1);
    csv_parser parser;
    EXPECT_EQ(csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI), 0);
    const auto field = [](void* data, std::size_t size, void* out) {
        static_cast<Records*>(out)->back().emplace_back(static_cast<const char*>(data), size);
    };
    const auto record = [](int, void* out) { static_cast<Records*>(out)->emplace_back(); };
    EXPECT_EQ(csv_parse(&parser, text.data(), text.size(), field, record, &records), text.size())
        << csv_strerror(csv_error(&parser));
    EXPECT_EQ(csv_fini(&parser, field, record, &records), 0);
    csv_free(&parser);
    records.pop_back();   // the one the last record end opened
    return records;
}

class DumpFormatsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < Awkward.size(); ++i) {
            const int structure = catalogue_.addStructure(QStringLiteral("S%1").arg(i), {}, Awkward[i]);
            catalogue_.addMember(structure, QStringLiteral("m%1").arg(i));
        }
        // An empty description cannot be given through addStructure.
        catalogue_.exec(QStringLiteral("UPDATE Structures SET BCB_Description = '' WHERE Structure_Name = 'S%1'")
                            .arg(Awkward.size() - 1));
    }

    testing::CatalogueFixture catalogue_;
};

TEST_F(DumpFormatsTest, CsvIsRfc4180WithCrLfAndReadsBackAsStored)
{
    const CliRun run = runCli({"dump", "--format", "csv", "Structures"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("\r\n") + 2),
              "\"Structure_Index\",\"Foundation_Class_Index\",\"Structure_Name\",\"Structure_Description\","
              "\"BCB_Name\",\"BCB_Description\",\"Conversion_Status\"\r\n");
    const Records records = parseCsv(run.out);
    ASSERT_EQ(records.size(), static_cast<std::size_t>(Awkward.size() + 1));
    for (int i = 0; i < Awkward.size(); ++i) {
        ASSERT_EQ(records[i + 1].size(), 7u);
        EXPECT_EQ(records[i + 1][0], std::to_string(i + 1));
        EXPECT_EQ(records[i + 1][5], Awkward[i].toStdString()) << i;
    }

    // Several tables: an empty line between them.
    const CliRun all = runCli({"dump", "--format=csv"});
    EXPECT_NE(all.out.find("\r\n\r\n\"Member_Index\","), std::string::npos);
}

TEST_F(DumpFormatsTest, JsonIsOneObjectOfTablesWithRowObjectsNullAsNullAndReadsBackAsStored)
{
    const CliRun run = runCli({"dump", "--format", "json"});
    ASSERT_EQ(run.code, 0) << run.err;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject tables = document.object();
    EXPECT_EQ(tables.keys(), (QStringList{"Structure_Member_Flags", "Structure_Members", "Structures"}));

    const QJsonArray structures = tables.value("Structures").toArray();
    ASSERT_EQ(structures.size(), Awkward.size());
    for (int i = 0; i < Awkward.size(); ++i) {
        const QJsonObject row = structures[i].toObject();
        EXPECT_EQ(row.value("Structure_Index").toInteger(-1), i + 1);
        EXPECT_EQ(row.value("BCB_Description").toString(QStringLiteral("not text")), Awkward[i]) << i;
    }
    const QJsonObject member = tables.value("Structure_Members").toArray().first().toObject();
    EXPECT_TRUE(member.value("BCB_Type").isNull());
    EXPECT_EQ(member.value("Member_Type"), QJsonValue("DWORD"));
    EXPECT_TRUE(tables.value("Structure_Member_Flags").toArray().isEmpty());

    const QJsonObject one = QJsonDocument::fromJson(QByteArray::fromStdString(
                                                        runCli({"dump", "--format=json", "Foundation_Classes"}).out))
                                .object();
    EXPECT_EQ(one.value("Foundation_Classes").toArray().size(), 7);
}

} // namespace
} // namespace velmora::cli
