// The converter checks its rows with the import itself, from memory: the
// counts the import read, or its diagnostic with the line it names.
#include <gtest/gtest.h>

#include "convert/ImportCheck.h"

namespace velmora::convert {
namespace {

struct CheckCase {
    const char* name;
    std::vector<std::string> rows;
    bool succeeded;
    std::size_t members, flags;
    const char* error;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

const std::vector<std::string> kQuickInfo{"QuickInfo", "a", "b", "c", "d"};

std::vector<std::string> With(std::vector<std::string> rows, const std::vector<std::string>& tail)
{
    rows.insert(rows.end(), tail.begin(), tail.end());
    return rows;
}

class ImportChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ImportChecks, CountsOrDiagnostic)
{
    const CheckCase& c = GetParam();
    const ImportCheck check = CheckWithImport(c.rows);
    EXPECT_EQ(check.succeeded, c.succeeded);
    EXPECT_EQ(check.members, c.members);
    EXPECT_EQ(check.flags, c.flags);
    EXPECT_EQ(check.error, c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImportChecks,
    ::testing::Values(
        CheckCase{"StructureWithAFlag",
                  With({"Structures", "DDX", "DDX", "The DDX structure.", "typedef struct _DDX {", "DWORD dwFlags;",
                        "} DDX;", "Members", "dwFlags", "The flags.", "DDX_A Set."},
                       kQuickInfo),
                  true, 1, 1, ""},
        CheckCase{"FlagAfterFlag",
                  With({"Structures", "DDX", "DDX", "The DDX structure.", "typedef struct _DDX {", "DWORD dwFlags;",
                        "} DDX;", "Members", "dwFlags", "The flags.", "DDX_A", "DDX_B"},
                       kQuickInfo),
                  false, 0, 0, "line 11: a flag was encountered followed immediately by another flag: 'DDX_A'"},
        CheckCase{"RowsRunOutInTheRemarks",
                  {"Structures", "DDX", "DDX", "The DDX structure.", "typedef struct _DDX {", "DWORD dwSize;",
                   "} DDX;", "Members", "dwSize", "Size.", "Remarks", "More."},
                  false, 0, 0,
                  "Found a 'Remarks' section but did not find the 'QuickInfo' section following (the rows ran out)"},
        CheckCase{"InterfaceParameters",
                  With({"Interfaces", "IX", "IX", "The IX interface.", "Reset", "IX::Reset", "Resets it now.",
                        "HRESULT Reset(", "DWORD dwFlags", ");", "Parameters", "dwFlags", "How.", "IX_FAST Fast."},
                       kQuickInfo),
                  true, 1, 1, ""}));

} // namespace
} // namespace velmora::convert
