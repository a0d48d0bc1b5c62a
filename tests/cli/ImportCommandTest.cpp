#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/CliRun.h"
#include "import/StructuresTestSupport.h"
#include "support/CatalogueFixture.h"

namespace velmora::cli {
namespace {

using testing::ExpectedTrace;
constexpr auto DataPath = testing::StructuresDataPath;

using CommandResult = velmora::testing::CliRun;

CommandResult Import(const std::vector<std::string>& args)
{
    return velmora::testing::runCli("import", args);
}

TEST(ImportCommand, DryRunPrintsTheTraceAndTheFinalCaption)
{
    const std::string path = DataPath("pair_and_list.txt");
    const CommandResult run = Import({"--dry-run", path});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, ExpectedTrace("pair_and_list", path));
    EXPECT_EQ(run.err, path + ": note: dry run: nothing was stored in the catalogue\n"
                       "status: 2 structures were imported SUCCESSFULLY!\n");
}

TEST(ImportCommand, TheImportSeesTheAbsolutePath)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(VELMORA_TEST_DATA_DIR);
    const CommandResult run = Import({"./structures/errors/../pair_and_list.txt", "--dry-run"});
    std::filesystem::current_path(before);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Importing file: '" + DataPath("pair_and_list.txt") + "'.... ");
}

TEST(ImportCommand, AnImportErrorExitsWithOne)
{
    struct Case {
        std::string file, lastLines, err;
    };
    const std::vector<Case> cases{
        {"errors/flag_after_flag.txt",
         "Error:\na flag was encountered followed immediately by another flag\nError Line: DDCKEY_DESTBLT\n",
         DataPath("errors/flag_after_flag.txt") +
             ":12: error: a flag was encountered followed immediately by another flag\n    DDCKEY_DESTBLT\n"
             "status: AN ERROR OCCURRED. Check debug output for details...\n"},
        {"errors/remarks_run_to_the_end.txt",
         "Could not parse the import file '" + DataPath("errors/remarks_run_to_the_end.txt") +
             "'.\nFound a 'Remarks' section but did not find the 'QuickInfo' section following\nERROR LINE: \n",
         DataPath("errors/remarks_run_to_the_end.txt") +
             ": error: Found a 'Remarks' section but did not find the 'QuickInfo' section following\n" +
             DataPath("errors/remarks_run_to_the_end.txt") +
             ": note: the file ends inside the definition of structure 'DDCOLORKEY', which starts at line 3\n"
             "status: \n"},
    };
    for (const Case& c : cases) {
        const CommandResult run = Import({"--dry-run", DataPath(c.file)});
        EXPECT_EQ(run.code, 1) << c.file;
        ASSERT_GE(run.out.size(), c.lastLines.size());
        EXPECT_EQ(run.out.substr(run.out.size() - c.lastLines.size()), c.lastLines) << c.file;
        EXPECT_EQ(run.err, c.err) << c.file;
    }
}

TEST(ImportCommand, AnUnreadableFileExitsWithTwoNamingIt)
{
    const std::string missing = DataPath("no_such_file.txt");
    const CommandResult run = Import({"--dry-run", missing});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("'" + missing + "'"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("status:"), std::string::npos);
}

TEST(ImportCommand, WithoutACatalogueItExitsWithTwo)
{
    testing::TempCatalogueEnv env;
    const CommandResult run = Import({DataPath("pair_and_list.txt")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find("status:"), std::string::npos) << run.err;

    // A dry run needs no catalogue, and takes the class unchecked without one.
    EXPECT_EQ(Import({"--dry-run", DataPath("pair_and_list.txt")}).code, 0);
    EXPECT_EQ(Import({"--dry-run", "--class", "Nope", DataPath("pair_and_list.txt")}).code, 0);
}

class ImportIntoCatalogue : public ::testing::TestWithParam<velmora::testing::Driver> {
protected:
    testing::CatalogueFixture catalogue_{GetParam()};
};

TEST_P(ImportIntoCatalogue, SavesUnderTheNamedFoundationClass)
{
    const CommandResult run = Import({DataPath("union_and_flags.txt")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("2 structures were imported SUCCESSFULLY!\n"), std::string::npos);
    EXPECT_EQ(run.err, "status: Done. All structures were imported successfully!\n");

    const QStringList directDraw = catalogue_.rows(
        "select Foundation_Class_Index from Foundation_Classes where Foundation_Class_Name = 'DirectDraw'");
    ASSERT_EQ(directDraw.size(), 1);
    EXPECT_EQ(catalogue_.rows("select distinct Foundation_Class_Index from Structures"), directDraw);
    EXPECT_EQ(catalogue_.rows("select Structure_Name from Structures order by Structure_Index"),
              (QStringList{"DDSCAPS2", "DDBLTFX"}));
    EXPECT_EQ(catalogue_.rows("select count(*) from Structure_Member_Flags"), QStringList{"5"});

    const QStringList sound = catalogue_.rows(
        "select Foundation_Class_Index from Foundation_Classes where Foundation_Class_Name = 'DirectSound'");
    ASSERT_EQ(Import({"--class", "DirectSound", DataPath("pair_and_list.txt")}).code, 0);
    EXPECT_EQ(catalogue_.rows("select distinct Foundation_Class_Index from Structures where Structure_Name = 'DDRGBA'"),
              sound);
}

TEST_P(ImportIntoCatalogue, AClassNotInTheCatalogueExitsWithTwoListingTheNamesAndStoresNothing)
{
    const std::string names = "DirectDraw, DirectSound, DirectInput, DirectPlay, DirectSetup, "
                              "Direct3D Immediate Mode, Direct3D Retained Mode";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--class", "No such class"}, {"--class", "directsound"}, {"--class", "DirectDraw "},
             {"--dry-run", "--class=Nope"}}) {
        std::vector<std::string> words = args;
        words.push_back(DataPath("pair_and_list.txt"));
        const CommandResult run = Import(words);
        EXPECT_EQ(run.code, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "velmora-cli import: unknown foundation class '" + args.back().substr(args.back().find('=') + 1) +
                               "'; NAME is one of " + names + "\n");
    }
    EXPECT_EQ(catalogue_.rowCount("Structures"), 0);
}

TEST_P(ImportIntoCatalogue, StandardInputIsReadAsTheFileNamedStdin)
{
    const std::string text = testing::ReadTextFile(DataPath("pair_and_list.txt"));
    const CommandResult run = velmora::testing::runCli({"import", "-"}, text);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Importing file: '<stdin>'.... ");
    EXPECT_EQ(catalogue_.rowCount("Structures"), 2);

    const CommandResult empty = velmora::testing::runCli({"import", "-"}, "");
    EXPECT_EQ(empty.code, 2);
    EXPECT_EQ(empty.err, "velmora-cli import: nothing to import on standard input\n");
    EXPECT_EQ(catalogue_.rowCount("Structures"), 2);
}

TEST_P(ImportIntoCatalogue, AFailedImportWritesNothing)
{
    EXPECT_EQ(Import({DataPath("errors/flag_after_flag.txt")}).code, 1);
    EXPECT_EQ(Import({"--dry-run", DataPath("pair_and_list.txt")}).code, 0);
    EXPECT_EQ(catalogue_.rows("select count(*) from Structures"), QStringList{"0"});
}

// The lines of a trace that are not the save's own record lines.
std::string WithoutRecordLines(const std::string& trace)
{
    std::string kept;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);)
        if (!line.starts_with("Saving ") && !line.starts_with("Updating ") && !line.starts_with("Adding "))
            kept += line + '\n';
    return kept;
}

TEST_P(ImportIntoCatalogue, APlainImportMeetingItsItemsSaysSoAndUpdateMatchesThem)
{
    const std::string file = DataPath("union_and_flags.txt");
    const CommandResult first = Import({file});
    ASSERT_EQ(first.code, 0) << first.err;
    const CommandResult again = Import({file});
    EXPECT_EQ(again.err, file + ": note: 2 of the file's 2 structures were in DirectDraw already and are now stored "
                                "once more; 'velmora-cli import --update' updates them in place instead\n"
                                "status: Done. All structures were imported successfully!\n");

    const CommandResult update = Import({"--update", file});
    EXPECT_EQ(update.code, 0);
    EXPECT_EQ(update.err,
              file + ": note: the catalogue holds the structure 'DDSCAPS2' more than once: number 1 was matched, "
                     "number 3 is left as it is\n" +
                  file + ": note: the catalogue holds the structure 'DDBLTFX' more than once: number 2 was matched, "
                         "number 4 is left as it is\n"
                         "status: Done. All structures were imported successfully!\n"
                         "updated: 2 structures (0 changed), 7 members (0 changed), 5 flags (0 changed)\n"
                         "added: 0 structures, 0 members, 0 flags\n"
                         "kept without a counterpart in the file: 0 structures, 0 members, 0 flags\n"
                         "stored more than once, left as they are: 2 structures, 7 members, 5 flags\n");
    // The parse's trace and the save's opening and closing lines are the plain import's.
    EXPECT_EQ(WithoutRecordLines(update.out), WithoutRecordLines(first.out));
    EXPECT_EQ(catalogue_.rowCount("Structures"), 4);
}

INSTANTIATE_TEST_SUITE_P(Drivers, ImportIntoCatalogue,
                         ::testing::Values(velmora::testing::Driver::Embedded, velmora::testing::Driver::Postgres),
                         [](const auto& info) { return std::string(velmora::testing::driverName(info.param)); });

} // namespace
} // namespace velmora::cli
