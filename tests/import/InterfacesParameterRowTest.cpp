#include <gtest/gtest.h>

#include "import/ParameterRow.h"

namespace velmora::import {
namespace {

struct SplitCase {
    std::string row;
    std::string type;
    bool isPointer;
    std::string modifier;
    std::string rawName;
    std::string name;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << "'" << c.row << "'"; }

class InterfacesParameterRowSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(InterfacesParameterRowSplit, TakesTheRowApart)
{
    const SplitCase& c = GetParam();
    const ParameterRow parts = ParameterRow::Split(c.row);
    EXPECT_EQ(parts.type, c.type);
    EXPECT_EQ(parts.isPointer, c.isPointer);
    EXPECT_EQ(parts.modifier, c.modifier);
    EXPECT_EQ(parts.rawName, c.rawName);
    EXPECT_EQ(parts.name, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InterfacesParameterRowSplit,
    ::testing::Values(
        SplitCase{"DWORD dwFlags", "DWORD", false, "", "dwFlags", "dwFlags"},
        SplitCase{"DWORD dwFlags,", "DWORD", false, "", "dwFlags", "dwFlags"},
        SplitCase{"LPWIDGET FAR *lplpWidget,", "LPWIDGET", true, "FAR *", "lplpWidget", "lplpWidget"},
        SplitCase{"LPWIDGET FAR * lplpWidget", "LPWIDGET", true, "FAR *", " lplpWidget", "lplpWidget"},
        SplitCase{"DWORD *lpdwCount", "DWORD", true, "*", "lpdwCount", "lpdwCount"},
        // The name is cut from the first space on; a tab stays in it.
        SplitCase{"DWORD  \tdwMode", "DWORD", false, "", " \tdwMode", "dwMode"},
        // Without a space there is no type, and the whole row up to the "*" is the modifier.
        SplitCase{"LPVOID*ppvObj", "", true, "LPVOID*", "ppvObj", "ppvObj"},
        SplitCase{"hWnd", "", false, "", "hWnd", "hWnd"},
        // A "*" before the first space leaves no modifier.
        SplitCase{"DWORD* pdwValue,", "DWORD*", true, "", " pdwValue", "pdwValue"},
        SplitCase{"VOID*", "", true, "VOID*", "", ""},
        // Any comma shortens the name by its last character, wherever the comma stands.
        SplitCase{"DWORD a,b", "DWORD", false, "", "a,", "a,"},
        SplitCase{",", "", false, "", "", ""},
        // The last character is a whole character, also outside ASCII (é, €).
        SplitCase{"DWORD dwA,\xC3\xA9", "DWORD", false, "", "dwA,", "dwA,"},
        SplitCase{"DWORD *p\xE2\x82\xAC,\xE2\x82\xAC", "DWORD", true, "*", "p\xE2\x82\xAC,", "p\xE2\x82\xAC,"},
        SplitCase{"", "", false, "", "", ""}));

} // namespace
} // namespace velmora::import
