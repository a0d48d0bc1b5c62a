// The import through the real velmora-cli binary: the command line reaches it
// and the exit code, standard output and standard error come back unchanged.
#include <gtest/gtest.h>

#include "cli/CliProcess.h"
#include "import/StructuresTestSupport.h"

namespace velmora::cli {
namespace {

TEST(ImportCommandProcess, DryRunThroughTheBinary)
{
    const auto dryRun = [](const std::string& file) {
        return testing::runVelmoraCli(
            {QStringLiteral("import"), QStringLiteral("--dry-run"), QString::fromStdString(file)});
    };
    const std::string file = testing::StructuresDataPath("extra_list_names.txt");
    const testing::ProgramRun run = dryRun(file);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.toStdString(), testing::ExpectedTrace("extra_list_names", file));
    EXPECT_EQ(run.err.toStdString(), file + ": note: dry run: nothing was stored in the catalogue\n"
                                            "status: 2 structures were imported SUCCESSFULLY!\n");

    const std::string broken = testing::StructuresDataPath("errors/no_type_row.txt");
    const testing::ProgramRun failed = dryRun(broken);
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.err.toStdString(), broken + ":1: error: There was no file type definition at the top of "
                                                 "the file...\n    structures\n"
                                                 "status: AN ERROR OCCURRED. Check debug output for details...\n");
}

} // namespace
} // namespace velmora::cli
