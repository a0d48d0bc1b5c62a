// Generated files of every row kind the layout accepts, in every form loading
// accepts, import with exactly what their generator recorded writing.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "generators/InterfacesFileGenerator.h"
#include "generators/StructuresFileGenerator.h"
#include "import/ImportObserver.h"
#include "import/ImportSession.h"
#include "import/StructuresTestSupport.h"
#include "support/GeneratedSeeds.h"
#include "support/RowLines.h"
#include "text/RowLoader.h"

namespace velmora::import {
namespace {

using bench::FileForm;
using bench::InterfacesFileGenerator;
using bench::StructuresFileGenerator;
using Lines = std::vector<std::string>;

constexpr std::uint64_t kMaxRows = 300;
constexpr std::uint32_t kFiles = 2000;

// Keeps the error report, to say where a file that should have parsed broke,
// and the first trace line that cuts a character in half.
struct ReportKeeper : ImportObserver {
    std::string report;
    std::string halfCharacter;
    void BeginErrorReport(const ImportDiagnostic& diagnostic) override
    {
        report = FormatDiagnostic("generated", diagnostic);
    }
    void AppendTrace(const TraceLine& line) override
    {
        if (halfCharacter.empty() && !text::IsValidUtf8(line.ToString()))
            halfCharacter = line.ToString();
    }
};

Lines RowsOf(const std::vector<bench::FileLine>& lines)
{
    Lines rows;
    for (const bench::FileLine& line : lines)
        if (!line.row.empty())
            rows.push_back(line.row);
    return rows;
}

// The first entry where the lists differ, or nothing.
std::string Difference(const char* name, const text::TextList& got, const Lines& want)
{
    for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
        const std::string g = i < got.size() ? std::string(got.At(i)) : "(none)";
        const std::string w = i < want.size() ? want[i] : "(none)";
        if (g != w)
            return std::string(name) + " #" + std::to_string(i) + ": '" + g + "', written '" + w + "'";
    }
    return {};
}

// Imports the file; says what differs from the record, or nothing.
template <typename File, typename Compare>
std::string Mismatch(const File& file, StructuresSaveTarget* target, Compare&& compare)
{
    ReportKeeper observer;
    ImportSession session(observer, target);
    std::istringstream in(FileForm::Join(file.lines));
    if (session.ImportStream(in, "generated") != ImportOutcome::Succeeded)
        return "import failed: " + observer.report;
    if (testing::LinesOf(session.Rows()) != RowsOf(file.lines))
        return "rows differ from the rows written";
    if (!observer.halfCharacter.empty())
        return "half a character in the trace: " + observer.halfCharacter;
    return compare(session);
}

std::string StructuresMismatch(std::uint32_t seed)
{
    const auto file = StructuresFileGenerator::Varied(seed, kMaxRows);
    testing::RecordingSaveTarget target;
    return Mismatch(file, &target, [&](const ImportSession&) {
        if (target.saved.size() != 1)
            return std::string("not saved once");
        const ParsedStructures& got = target.saved.front();
        const StructuresFileGenerator::Truth& want = file.truth;
        for (std::string d :
             {Difference("Structure_Names", got.Structure_Names, want.Structure_Names),
              Difference("Structure_Descriptions", got.Structure_Descriptions, want.Structure_Descriptions),
              Difference("Member_Names", got.Member_Names, want.Member_Names),
              Difference("Member_Types", got.Member_Types, want.Member_Types),
              Difference("Member_Descriptions", got.Member_Descriptions, want.Member_Descriptions),
              Difference("Flag_Names", got.Flag_Names, want.Flag_Names),
              Difference("Flag_Descriptions", got.Flag_Descriptions, want.Flag_Descriptions)})
            if (!d.empty())
                return d;
        return std::string();
    });
}

std::string InterfacesMismatch(std::uint32_t seed)
{
    const auto file = InterfacesFileGenerator::Varied(seed, kMaxRows);
    return Mismatch(file, nullptr, [&](const ImportSession& session) {
        const InterfaceLists& got = session.Interfaces();
        const InterfacesFileGenerator::Truth& want = file.truth;
        for (std::string d :
             {Difference("Interface_Names", got.Interface_Names, want.Interface_Names),
              Difference("Interface_Descriptions", got.Interface_Descriptions, want.Interface_Descriptions),
              Difference("Property_Names", got.Property_Names, want.Property_Names),
              Difference("Property_Descriptions", got.Property_Descriptions, want.Property_Descriptions),
              Difference("Property_Return_Types", got.Property_Return_Types, want.Property_Return_Types),
              Difference("Property_Return_Values", got.Property_Return_Values, want.Property_Return_Values),
              Difference("Parameter_Types", got.Parameter_Types, want.Parameter_Types),
              Difference("Parameter_Type_Modifiers", got.Parameter_Type_Modifiers, want.Parameter_Type_Modifiers),
              Difference("Parameter_Names", got.Parameter_Names, want.Parameter_Names),
              Difference("Parameter_Descriptions", got.Parameter_Descriptions, want.Parameter_Descriptions),
              Difference("Flag_Names", got.Flag_Names, want.Flag_Names),
              Difference("Flag_Descriptions", got.Flag_Descriptions, want.Flag_Descriptions)})
            if (!d.empty())
                return d;
        return std::string();
    });
}

// Stops at the first seed that fails: the long run reports that one.
template <typename Check>
void ImportEverySeed(Check&& check)
{
    const testing::SeedRange seeds = testing::GeneratedSeeds(kFiles);
    for (std::uint32_t seed = seeds.first; seed - seeds.first < seeds.count; ++seed) {
        const std::string mismatch = check(seed);
        ASSERT_EQ(mismatch, "") << "first failing seed: " << seed;
    }
}

TEST(GeneratedFiles, StructuresImportWithWhatWasWritten)
{
    ImportEverySeed(StructuresMismatch);
}

TEST(GeneratedFiles, InterfacesImportWithWhatWasWritten)
{
    ImportEverySeed(InterfacesMismatch);
}

// Description rows of every kind in every place: "pair last, later interface".
Lines Blocks(const std::string& single, const std::string& later)
{
    Lines names;
    for (const std::string& definition : {std::string(), later})
        for (const std::string& kind : {single, std::string("pair"), std::string("list")})
            for (const char* place : {" first", " middle", " last"})
                names.push_back(kind + place + definition);
    return names;
}

const Lines kFileForms{"CR LF",
                       "LF",
                       "CR",
                       "mixed line ends",
                       "UTF-8",
                       "byte-order mark",
                       "Windows-1252 with characters outside ASCII",
                       "blank lines",
                       "padded rows",
                       "no line end after the last row"};

// The suite's files write every shape of the table at least once, and no other.
template <typename Generator>
void ExpectEveryShape(const Lines& table)
{
    bench::ShapeCounts shapes, forms;
    for (std::uint32_t seed = 1; seed <= kFiles; ++seed) {
        const auto file = Generator::Varied(seed, kMaxRows);
        EXPECT_LE(RowsOf(file.lines).size(), kMaxRows) << seed;
        bench::Merge(shapes, file.shapes);
        bench::Merge(forms, file.formShapes);
    }
    for (const auto& [counts, names] : {std::pair{&shapes, &table}, std::pair{&forms, &kFileForms}}) {
        for (const std::string& name : *names)
            EXPECT_TRUE(counts->contains(name)) << "never written: " << name;
        for (const auto& [name, n] : *counts)
            EXPECT_NE(std::find(names->begin(), names->end(), name), names->end()) << "not in the table: " << name;
    }
}

TEST(GeneratedFiles, StructuresCoverEveryShape)
{
    Lines table = Blocks("single member", ", later structure");
    table.insert(table.end(), {"pair naming other members",
                               "list with a UTF-8 character after a comma",
                               "list with a Windows-1252 character after a comma",
                               "flag with its description on the same row",
                               "flag with its description on the next row",
                               "flag description starting outside ASCII",
                               "union",
                               "union and brace on one row",
                               "nested union",
                               "union at the start",
                               "union at the end",
                               "member row with a wide gap",
                               "member type with a star",
                               "member type of two words",
                               "member row without type",
                               "member row with a comment",
                               "remarks",
                               "remarks without rows",
                               "structure of one member",
                               "list naming more members than remain",
                               "row mentioning a union",
                               "description that reads like a keyword"});
    ExpectEveryShape<StructuresFileGenerator>(table);
}

TEST(GeneratedFiles, InterfacesCoverEveryShape)
{
    Lines table = Blocks("single parameter", ", later interface");
    table.insert(table.end(), {"pair in a later property",
                               "list in a later property",
                               "pair naming other parameters",
                               "list with an unknown name",
                               "list with a UTF-8 character after a comma",
                               "list with a Windows-1252 character after a comma",
                               "UTF-8 character after a parameter row's comma",
                               "Windows-1252 character after a parameter row's comma",
                               "parameter name ending outside ASCII",
                               "flag with its description on the same row",
                               "flag with its description on the next row",
                               "flag description starting outside ASCII",
                               "parameter row with a wide gap",
                               "pointer with a modifier",
                               "pointer with a spaced name",
                               "pointer star on the type",
                               "pointer without modifier",
                               "parameter row without type",
                               "prototype that closes itself",
                               "parameter on the prototype row",
                               "parameter on the closing row",
                               "parameter run without parameters",
                               "prototype without space",
                               "prototype with a wide gap",
                               "one Parameters row",
                               "two Parameters rows",
                               "two Return Values sections",
                               "Return Values without parameters",
                               "remarks",
                               "remarks ended by the next interface",
                               "QuickInfo",
                               "AddRef, QueryInterface and Release",
                               "property name with a space",
                               "heading with a space",
                               "list naming more parameters than remain",
                               "description that reads like a keyword"});
    ExpectEveryShape<InterfacesFileGenerator>(table);
}

} // namespace
} // namespace velmora::import
