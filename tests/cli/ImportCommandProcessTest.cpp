// The import through the real velmora-cli binary: the command line reaches it
// and the exit code, standard output and standard error come back unchanged.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "import/StructuresTestSupport.h"

namespace velmora::cli {
namespace {

std::string Slurp(const std::filesystem::path& path)
{
    return testing::ReadTextFile(path.string());
}

TEST(ImportCommandProcess, DryRunThroughTheBinary)
{
    const std::filesystem::path cli = VELMORA_CLI_PATH;
    if (!std::filesystem::exists(cli)) GTEST_SKIP() << "velmora-cli is not built";
    const std::string data = std::string(VELMORA_TEST_DATA_DIR) + "/structures/";
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::filesystem::path out = dir / "velmora_import_process.out";
    const std::filesystem::path err = dir / "velmora_import_process.err";

    const auto run = [&](const std::string& file) {
        std::ostringstream command;
        command << '\'' << cli.string() << "' import --dry-run '" << data << file << "' >'" << out.string() << "' 2>'"
                << err.string() << '\'';
        const int status = std::system(command.str().c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };

    EXPECT_EQ(run("extra_list_names.txt"), 0);
    EXPECT_EQ(Slurp(out), testing::ExpectedTrace("extra_list_names", data + "extra_list_names.txt"));
    EXPECT_EQ(Slurp(err), data + "extra_list_names.txt: note: dry run: nothing was stored in the catalogue\n"
                                 "status: 2 structures were imported SUCCESSFULLY!\n");

    EXPECT_EQ(run("errors/no_type_row.txt"), 1);
    EXPECT_EQ(Slurp(err), data + "errors/no_type_row.txt:1: error: There was no file type definition at the top of "
                                 "the file...\n    structures\n"
                                 "status: AN ERROR OCCURRED. Check debug output for details...\n");

    std::filesystem::remove(out);
    std::filesystem::remove(err);
}

} // namespace
} // namespace velmora::cli
