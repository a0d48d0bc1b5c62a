// Where a file breaks the layout, `import` and `check` name the file line in
// the form editors read: PATH:LINE: error: REASON, then the offending text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QTemporaryDir>

#include "support/CliRun.h"
#include "import/StructuresTestSupport.h"

namespace velmora::cli {
namespace {

using velmora::testing::CliRun;
using velmora::testing::runCli;

constexpr const char* kErrorStatus = "status: AN ERROR OCCURRED. Check debug output for details...\n";

struct BrokenFile {
    const char* name;
    std::string text;
    std::string diagnostic;  // after "PATH"
    std::string status;
    std::string note = {};   // what the file's early end cut short
};

const std::vector<BrokenFile> kBrokenFiles{
    {"blank_lines_before_the_error", "\n\nStructures\n\nA\n\nA\n\nText\n\nnot a declaration\n",
     ":11: error: There is no starting point for the 'struct' definition for the object 'A'\n    not a declaration\n",
     kErrorStatus},
    {"cr_only_line_ends", "Structures\rA\rA\r\rA color.\rtypedef struct _A {\rDWORD a;\r} A;\rNotMembers\r",
     ":9: error: Did not find the 'Members' keyword as expected.\n    NotMembers\n", kErrorStatus},
    {"error_on_the_last_line", "Structures\r\nA\r\nA B", ":3: error: scanned all rows but did not find a structure name "
                                                          "repeated after the 'Structures included in this file' block...\n    A B\n",
     kErrorStatus},
    {"rows_ran_out", "Structures\nA\nB\n\n\n", ": error: scanned all rows but did not find a structure name repeated "
                                               "after the 'Structures included in this file' block...\n",
     kErrorStatus, "the file ends inside the definition of the structure list, which starts at line 2"},
    {"closing_section", "Structures\nA\nA\nA color.\nstruct A {\nDWORD a;\n} A;\nMembers\na\nThe a.\n\n  End  \n",
     ":12: error: Could not find a 'QuickInfo' section\n    End\n", "status: \n"},
    {"windows_1252", "structures caf\xE9\n", ":1: error: There was no file type definition at the top of the file...\n"
                                             "    structures caf\xC3\xA9\n",
     kErrorStatus},
    {"byte_order_mark", "\xEF\xBB\xBF\r\nInterfaces\r\nI\r\nI\r\nA widget.\r\nmethod list\r\n",
     ":6: error: property list not found for 'I'\n    method list\n", kErrorStatus},
    {"nul_ends_the_text", std::string("Interfaces\n\nI J\0\nI\n", 19),
     ":3: error: scanned all rows but did not find a Interface name repeated after the 'Interface included in this "
     "file' block...\n    I J\n",
     kErrorStatus},
    // Cut after 240 bytes, but never inside a character: here the cut falls in the middle of the é.
    {"long_row", "structures " + std::string(228, 'x') + "\xC3\xA9" + std::string(20, 'y') + "\n",
     ":1: error: There was no file type definition at the top of the file...\n    structures " + std::string(228, 'x') +
         "... (22 more bytes)\n",
     kErrorStatus},
};

class Diagnostics : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = dir_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    QTemporaryDir dir_;
};

TEST_F(Diagnostics, ImportAndCheckNameTheLineOfTheError)
{
    for (const BrokenFile& file : kBrokenFiles) {
        const std::string path = Write(std::string(file.name) + ".txt", file.text);
        const CliRun import = runCli("import", {"--dry-run", path});
        EXPECT_EQ(import.code, 1) << file.name;
        const std::string note = file.note.empty() ? "" : path + ": note: " + file.note + "\n";
        EXPECT_EQ(import.err, path + file.diagnostic + note + file.status) << file.name;

        const CliRun check = runCli("check", {path});
        EXPECT_EQ(check.code, 1) << file.name;
        EXPECT_EQ(check.out, path + file.diagnostic + note) << file.name;
        EXPECT_EQ(check.err, "") << file.name;

        const CliRun piped = runCli({"check", "-"}, file.text);
        EXPECT_EQ(piped.code, 1) << file.name;
        EXPECT_EQ(piped.out, "<stdin>" + file.diagnostic + (file.note.empty() ? "" : "<stdin>: note: " + file.note + "\n"))
            << file.name;
    }
}

// Files cut short, and files whose encoding is not what it seems: what check
// prints (PATH stands for the file), its code, and the outcome of an import.
struct ReadingCase {
    const char* name;
    std::string text;
    int code;
    std::string says;
};

const std::string kOneStructure =
    "Structures\nA\nA\nA color.\ntypedef struct _A {\nDWORD a;\n} A;\nMembers\na\nThe caf\xC3\xA9 a.\nQuickInfo\n"
    "x\nx\nx\nx\n";
const std::string kOneInterface = "Interfaces\nI\nI\nAn interface.\nReset\nI::Reset\nResets it.\nHRESULT Reset(\n"
                                  "DWORD dwFlags\n);\nParameters\ndwFlags\nThe flags.\n";
std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    return text.replace(text.find(from), from.size(), to);
}

const std::vector<ReadingCase> kReadingCases{
    {"cut_in_a_member_without_flags", kOneStructure.substr(0, kOneStructure.find("The caf")), 1,
     "PATH: error: a flag was encountered followed immediately by another flag\n"
     "PATH: note: the file ends inside the definition of structure 'A', which starts at line 3\n"},
    {"cut_before_the_second_structure", "Structures\nA\nB\n" + kOneStructure.substr(13), 1,
     "PATH: error: Did not find the expected structure name: 'B'\n"
     "PATH: note: the file ends before the definition of structure 'B'\n"},
    {"cut_in_a_prototype", kOneInterface.substr(0, kOneInterface.find(");")), 1,
     "PATH: error: scanned all rows but did not find the ');' that ends the prototype\n"
     "PATH: note: the file ends inside the definition of method 'I::Reset', which starts at line 6\n"},
    {"cut_in_the_interface_list", "Interfaces\n\nI\nJ\n", 1,
     "PATH: error: scanned all rows but did not find a Interface name repeated after the 'Interface included in "
     "this file' block...\nPATH: note: the file ends inside the definition of the interface list, which starts at "
     "line 3\n"},
    {"complete", kOneStructure, 0, ""},
    {"utf8_with_a_stray_byte", Replaced(kOneStructure, "A color.", "A col\xF6r."), 0,
     "PATH:4: warning: a byte that is not UTF-8 in a file that holds UTF-8 elsewhere: the whole file is read as "
     "Windows-1252\n"},
    {"windows_1252", Replaced(Replaced(kOneStructure, "A color.", "A col\xF6r."), "caf\xC3\xA9", "caf\xE9"), 0, ""},
    {"utf16", std::string("\xFF\xFES\0t\0r\0", 8), 1,
     "PATH: error: the file is UTF-16; save it as UTF-8 or Windows-1252\n"
     "PATH:1: error: There was no file type definition at the top of the file...\n    \xC3\xBF\xC3\xBES\n"},
};

std::string WithPath(std::string text, const std::string& path)
{
    for (std::size_t at = text.find("PATH"); at != std::string::npos; at = text.find("PATH", at + path.size()))
        text.replace(at, 4, path);
    return text;
}

TEST_F(Diagnostics, CutFilesAndEncodingsAreNamedBesideTheLayoutsError)
{
    for (const ReadingCase& c : kReadingCases) {
        const std::string path = Write(std::string(c.name) + ".txt", c.text);
        const CliRun check = runCli("check", {path});
        EXPECT_EQ(check.code, c.code) << c.name;
        EXPECT_EQ(check.out, WithPath(c.says, path)) << c.name;

        // The import says the same before its status line.
        const CliRun import = runCli("import", {"--dry-run", path});
        EXPECT_EQ(import.code, c.code) << c.name;
        const std::string dryRun = c.code == 0 ? path + ": note: dry run: nothing was stored in the catalogue\n" : "";
        EXPECT_EQ(import.err.substr(0, import.err.rfind("status: ")), WithPath(c.says, path) + dryRun) << c.name;
    }
}

TEST_F(Diagnostics, CheckAgreesWithImportOnEveryBrokenTestFile)
{
    for (const auto& entry : std::filesystem::directory_iterator(testing::StructuresDataPath("errors"))) {
        const std::string path = entry.path().string();
        const CliRun import = runCli("import", {"--dry-run", path});
        const CliRun check = runCli("check", {path});
        EXPECT_EQ(check.code, 1) << path;
        ASSERT_TRUE(check.out.starts_with(path + ":")) << check.out;
        EXPECT_EQ(import.err.substr(0, import.err.rfind("status:")), check.out) << path;
    }
}

TEST_F(Diagnostics, ASuccessSaysWhatWasNotStored)
{
    const std::string interfaces = std::string(VELMORA_TEST_DATA_DIR) + "/interfaces/worked_example.txt";
    EXPECT_EQ(runCli("import", {"--dry-run", interfaces}).err,
              interfaces + ": note: interfaces are checked, not stored: the catalogue is unchanged\n"
                           "status: 1 Interfaces were imported SUCCESSFULLY!\n");
}

TEST_F(Diagnostics, CheckGoesOnPastUnreadableFilesAndTwoWinsOverOne)
{
    const std::string good = testing::StructuresDataPath("pair_and_list.txt");
    const std::string bad = Write("bad.txt", "Structures\n\nDDRGBA structure\n");
    const std::string missing = dir_.filePath("missing.txt").toStdString();
    const std::string folder = dir_.path().toStdString();
    const std::string badDiagnostic =
        bad + ":3: error: scanned all rows but did not find a structure name repeated after the 'Structures "
              "included in this file' block...\n    DDRGBA structure\n";

    struct Case {
        std::vector<std::string> files;
        int code;
        std::string out, err;
    };
    const std::vector<Case> cases{
        {{good}, 0, "", ""},
        {{good, bad, good}, 1, badDiagnostic, ""},
        {{missing, good, bad, folder}, 2, badDiagnostic,
         "velmora-cli check: Cannot open the import file '" + missing + "': No such file or directory\n"
         "velmora-cli check: Cannot read the import file '" + folder + "': Is a directory\n"},
        {{}, 2, "", "velmora-cli: missing FILE for 'check'\nusage: velmora-cli check FILE...\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli("check", c.files);
        EXPECT_EQ(run.code, c.code) << ::testing::PrintToString(c.files);
        EXPECT_EQ(run.out, c.out) << ::testing::PrintToString(c.files);
        EXPECT_EQ(run.err, c.err) << ::testing::PrintToString(c.files);
    }
}

} // namespace
} // namespace velmora::cli
