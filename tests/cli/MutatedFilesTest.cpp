// Generated files damaged the way files get damaged: a row dropped, doubled,
// swapped with the next, the file cut at a row. Whatever the damage, the
// import either succeeds or names a line of the file, and check says the same.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include <QTemporaryDir>

#include "support/CliRun.h"
#include "generators/InterfacesFileGenerator.h"
#include "generators/StructuresFileGenerator.h"
#include "support/GeneratedSeeds.h"

namespace velmora::cli {
namespace {

using bench::FileLine;
using Lines = std::vector<FileLine>;
using testing::CliRun;
using testing::runCli;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

Lines Mutated(Lines lines, std::mt19937& random, std::string& what)
{
    // The mark belongs to the file's start, wherever its first line goes.
    const bool mark = lines.front().bytes.starts_with(kByteOrderMark);
    if (mark)
        lines.front().bytes.erase(0, kByteOrderMark.size());
    std::vector<std::size_t> rows;
    for (std::size_t l = 0; l < lines.size(); ++l)
        if (!lines[l].row.empty())
            rows.push_back(l);
    const std::size_t pick = static_cast<std::size_t>(bench::Pick(random, 0, static_cast<int>(rows.size()) - 2));
    const std::size_t at = rows[pick];
    switch (bench::Pick(random, 0, 3)) {
    case 0:
        what = "row dropped at line ";
        lines.erase(lines.begin() + at);
        break;
    case 1:
        what = "row doubled at line ";
        lines.insert(lines.begin() + at, lines[at]);
        break;
    case 2:
        what = "row swapped with the next at line ";
        std::swap(lines[at], lines[rows[pick + 1]]);
        break;
    default: what = "file cut at line "; lines.erase(lines.begin() + at, lines.end());
    }
    what += std::to_string(at + 1);
    // A line moved from the end of the file gets the line end it had none of.
    for (std::size_t l = 0; l + 1 < lines.size(); ++l)
        if (!lines[l].bytes.ends_with('\n') && !lines[l].bytes.ends_with('\r'))
            lines[l].bytes += '\n';
    if (mark && !lines.empty())
        lines.front().bytes.insert(0, kByteOrderMark);
    return lines;
}

// The diagnostic names a line that the file has, and quotes the row on it.
void ExpectALineOfTheFile(const std::string& diagnostic, const std::string& path, const Lines& lines)
{
    ASSERT_TRUE(diagnostic.starts_with(path + ":")) << diagnostic;
    const std::string rest = diagnostic.substr(path.size() + 1);
    // Without a line number the rows ran out before the error.
    if (rest.starts_with(" error: "))
        return;
    const std::size_t colon = rest.find(": error: ");
    ASSERT_NE(colon, std::string::npos) << diagnostic;
    const std::size_t line = std::stoul(rest.substr(0, colon));
    ASSERT_GE(line, 1u) << diagnostic;
    ASSERT_LE(line, lines.size()) << diagnostic;
    ASSERT_EQ(rest.substr(rest.find('\n') + 1), "    " + lines[line - 1].row + "\n") << diagnostic;
}

TEST(MutatedFiles, ImportOrNameALineOfTheFileAndCheckAgrees)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("mutated.txt").toStdString();
    const testing::SeedRange seeds = testing::GeneratedSeeds(500);
    int failed = 0;
    for (std::uint32_t seed = seeds.first; seed - seeds.first < seeds.count; ++seed) {
        const Lines lines = seed % 2 ? bench::InterfacesFileGenerator::Varied(seed, 300).lines
                                     : bench::StructuresFileGenerator::Varied(seed, 300).lines;
        std::mt19937 random(seed);
        for (int m = 0; m < 5; ++m) {
            std::string what;
            const Lines mutated = Mutated(lines, random, what);
            std::ofstream(path, std::ios::binary) << bench::FileForm::Join(mutated);
            SCOPED_TRACE("first failing seed: " + std::to_string(seed) + ", " + what);

            const CliRun import = runCli("import", {"--dry-run", path});
            const CliRun check = runCli("check", {path});
            ASSERT_TRUE(import.code == 0 || import.code == 1) << import.err;
            ASSERT_EQ(check.code, import.code) << check.out << import.err;
            failed += import.code;
            if (import.code == 0) {
                ASSERT_EQ(check.out, "");
                continue;
            }
            ASSERT_EQ(import.err.substr(0, check.out.size()), check.out);
            ASSERT_NO_FATAL_FAILURE(ExpectALineOfTheFile(check.out, path, mutated));
        }
    }
    // Most damage breaks the layout; some (a doubled QuickInfo line) does not.
    EXPECT_GT(failed, 0);
}

} // namespace
} // namespace velmora::cli
