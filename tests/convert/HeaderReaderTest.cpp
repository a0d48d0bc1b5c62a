// The header as the SDK and Wine write it: members, unions, nested structures
// and method prototypes with and without parameter names.
#include <gtest/gtest.h>

#include "convert/HeaderReader.h"

namespace velmora::convert {
namespace {

struct MemberCase {
    const char* name;
    const char* declaration;                 // inside "struct _S { ... } S;"
    std::vector<std::string> typeAndName;    // "TYPE name" per member, in order
    std::vector<int> unionGroups;
};

void PrintTo(const MemberCase& c, std::ostream* os) { *os << c.name; }

class StructMembers : public ::testing::TestWithParam<MemberCase> {};

TEST_P(StructMembers, AreReadInDeclarationOrder)
{
    const MemberCase& c = GetParam();
    const HeaderDeclarations header =
        ReadHeader("#ifdef __cplusplus\nextern \"C\" {\n#endif\ntypedef struct _S {\n" + std::string(c.declaration) +
                   "\n} S, *LPS;\n");
    const DeclaredStruct* s = header.FindStruct("_S");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->name, "S");
    std::vector<std::string> got;
    std::vector<int> groups;
    for (const DeclaredMember& m : s->members) {
        got.push_back(m.type + " " + m.name);
        groups.push_back(m.unionGroup);
    }
    EXPECT_EQ(got, c.typeAndName);
    EXPECT_EQ(groups, c.unionGroups);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StructMembers,
    ::testing::Values(
        MemberCase{"PlainWithComments", "DWORD dwSize; /* 0: size */\n  LPVOID lpData; // union of bytes",
                   {"DWORD dwSize", "LPVOID lpData"}, {-1, -1}},
        MemberCase{"SeveralDeclaratorsShareTheType", "DWORD dwX, dwY;", {"DWORD dwX", "DWORD dwY"}, {-1, -1}},
        MemberCase{"PointerStarGoesWithTheType", "VOID FAR *lpBits;", {"VOID* lpBits"}, {-1}},
        MemberCase{"ArrayBoundGoesWithTheType", "PALETTEENTRY pe[256];", {"PALETTEENTRY[256] pe"}, {-1}},
        MemberCase{"TwoUnionsTwoGroups",
                   "__GNU_EXTENSION union {\n LONG a;\n DWORD b;\n } DUMMYUNIONNAME1;\n union\n {\n DWORD c;\n } "
                   "DUMMYUNIONNAMEN(2);\n DWORD d;",
                   {"LONG a", "DWORD b", "DWORD c", "DWORD d"}, {0, 0, 1, -1}},
        MemberCase{"NestedStructureInAUnionIsFlattened",
                   "union {\n DWORD m;\n struct {\n WORD f;\n WORD g;\n } Caps;\n } DUMMYUNIONNAME3;",
                   {"DWORD m", "WORD Caps.f", "WORD Caps.g"}, {0, 0, 0}},
        MemberCase{"NamelessNestedStructureKeepsPlainNames", "struct {\n DWORD x;\n } DUMMYSTRUCTNAME;", {"DWORD x"},
                   {-1}}));

TEST(StructDeclarations, ATypeOfSeveralWordsCannotBeRepresented)
{
    const HeaderDeclarations header = ReadHeader("struct _T { unsigned long v; };");
    ASSERT_EQ(header.structs.size(), 1u);
    EXPECT_EQ(header.structs[0].name, "T");
    EXPECT_NE(header.structs[0].unrepresentable.find("several words"), std::string::npos);
}

TEST(StructDeclarations, RunawayNestingIsRefusedNotFollowed)
{
    std::string text = "struct _D { DWORD a; ";
    for (int i = 0; i < 40; ++i) text += "union { ";
    text += "DWORD b; ";
    for (int i = 0; i < 40; ++i) text += "}; ";
    const HeaderDeclarations header = ReadHeader(text + "};");
    ASSERT_EQ(header.structs.size(), 1u);
    EXPECT_NE(header.structs[0].unrepresentable.find("nest more than"), std::string::npos);
}

TEST(InterfaceDeclarations, MethodsWithNamedAndUnnamedParameters)
{
    const HeaderDeclarations header = ReadHeader(
        "#define INTERFACE IX\nDECLARE_INTERFACE_(IX,IUnknown)\n{\n"
        "    STDMETHOD_(ULONG,AddRef)(THIS) PURE;\n"
        "    STDMETHOD(Blt)(THIS_ LPRECT,LPDIRECTDRAWSURFACE7,LPVOID FAR *) PURE;\n"
        "    STDMETHOD(Get)(THIS_ DWORD dwFlags, LPDIRECTDRAWSURFACE7 *lplpSurface) PURE;\n"
        "    STDMETHOD(IsLost)(THIS) PURE;\n};\n");
    const DeclaredInterface* ix = header.FindInterface("IX");
    ASSERT_NE(ix, nullptr);
    ASSERT_EQ(ix->methods.size(), 4u);
    EXPECT_EQ(ix->methods[0].returnType, "ULONG");
    EXPECT_TRUE(ix->methods[0].parameters.empty());
    const auto& blt = ix->methods[1].parameters;
    ASSERT_EQ(blt.size(), 3u);
    EXPECT_EQ(blt[0].type, "LPRECT");
    EXPECT_EQ(blt[0].name, "");
    EXPECT_EQ(blt[2].type + "|" + blt[2].modifier + "|" + blt[2].name, "LPVOID|FAR *|");
    const auto& get = ix->methods[2].parameters;
    ASSERT_EQ(get.size(), 2u);
    EXPECT_EQ(get[1].type + "|" + get[1].modifier + "|" + get[1].name, "LPDIRECTDRAWSURFACE7|*|lplpSurface");
    EXPECT_EQ(ix->methods[3].returnType, "HRESULT");
}

} // namespace
} // namespace velmora::convert
