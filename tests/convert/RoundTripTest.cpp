// Convert, then import the written file: it must import without error and hold
// every structure, member, method, parameter and flag the pages document.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "support/CliRun.h"
#include "convert/ConvertTestSupport.h"
#include "import/ImportObserver.h"
#include "import/ImportSession.h"
#include "import/ParsedStructures.h"
#include "support/TextListCompare.h"

namespace velmora::convert {
namespace {

using testing::ReferencePageText;
using testing::runCli;

struct Counts : import::StructuresSaveTarget {
    std::size_t structures = 0, members = 0, flags = 0;
    void SaveStructures(import::ParsedStructures& lists, import::ImportObserver&) override
    {
        structures = lists.Structure_Names.size();
        members = lists.Member_Names.size();
        flags = lists.Flag_Names.size();
    }
};

class RoundTrip : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = dir_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string Read(const std::string& path)
    {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }
    QTemporaryDir dir_;
};

// Two structures: 2 + 3 members, 4 flags from one heading, 1 from a table, 1 on its own.
constexpr const char* kStructHeader =
    "typedef struct _DDA\n{\n  DWORD dwSize; /* in bytes */\n  union\n  {\n    LONG lPitch;\n    DWORD dwLinearSize;\n"
    "  } DUMMYUNIONNAMEN(1);\n} DDA, FAR *LPDDA;\n"
    "typedef struct _DDB {\n  DWORD dwFlags;\n  WORD red[4];\n} DDB;\n";

TEST_F(RoundTrip, StructurePagesImportWithEveryDocumentedMemberAndFlag)
{
    const std::string header = Write("ddraw.h", kStructHeader);
    const std::string a = Write("ns-dda.md", ReferencePageText("NS:ddraw._DDA",
        "## -description\n\nThe DDA structure describes a caf&eacute; &amp; a surface.\n\nThis structure is old.\n\n"
        "## -struct-fields\n\n### -field dwSize\n\nSize.\n\n### -field DUMMYUNIONNAMEN\n\nN/A\n\n"
        "### -field DUMMYUNIONNAMEN.lPitch\n\nPitch, \xC3\xA9 \xE2\x86\x92 bytes.\n\n"
        "### -field DUMMYUNIONNAMEN.dwLinearSize\n\nLinear size.\n\n## -remarks\n\nKeep it small.\n",
        "req.header: ddraw.h\n"));
    const std::string b = Write("ns-ddb.md", ReferencePageText("NS:ddraw._DDB",
        "## -description\n\nThe DDB structure.\n\n## -struct-fields\n\n### -field red\n\nRed.\n\n"
        "### -field dwFlags\n\nFlags.\n\n#### DDB_1, DDB_2, DDB_3, DDB_4\n\nBits.\n\n#### DDB_ALL\n\nAll of them.\n\n"
        "<table><tr><td>DDB_NONE</td><td>None.</td></tr></table>\n"));
    const std::string out = dir_.filePath("structures.txt").toStdString();
    const std::string log = dir_.filePath("convert.log").toStdString();

    const auto convert = runCli("convert", {"--header", header, "-o", out, "--log", log, a, b});
    ASSERT_EQ(convert.code, 0) << Read(log);
    const std::string file = Read(out);
    EXPECT_EQ(file.substr(0, 12), "Structures\r\n");
    EXPECT_NE(file.find("caf\xE9 & a surface."), std::string::npos) << "Windows-1252 by default";
    EXPECT_NE(file.find("Pitch, \xE9 -> bytes."), std::string::npos);
    EXPECT_NE(Read(log).find("'\xE2\x86\x92' as '->'"), std::string::npos);

    const auto dryRun = runCli("import", {"--dry-run", out});
    EXPECT_EQ(dryRun.code, 0) << dryRun.out;
    EXPECT_NE(dryRun.out.find("2 structures were imported SUCCESSFULLY!"), std::string::npos);

    import::ImportObserver silent;
    Counts counts;
    import::ImportSession session(silent, &counts);
    ASSERT_EQ(session.ImportFile(out), import::ImportOutcome::Succeeded);
    EXPECT_EQ(counts.structures, 2u);
    EXPECT_EQ(counts.members, 5u);
    EXPECT_EQ(counts.flags, 6u);
}

constexpr const char* kInterfaceHeader =
    "DECLARE_INTERFACE_(IDirectDrawY,IUnknown)\n{\n"
    "    STDMETHOD_(HRESULT,QueryInterface)(THIS_ REFIID riid, void** ppvObject) PURE;\n"
    "    STDMETHOD_(ULONG,AddRef)(THIS) PURE;\n    STDMETHOD_(ULONG,Release)(THIS) PURE;\n"
    "    STDMETHOD(SetColorKey)(THIS_ DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) PURE;\n"
    "    STDMETHOD(SetPriority)(THIS_ DWORD prio) PURE;\n    STDMETHOD(Restore)(THIS) PURE;\n};\n";

TEST_F(RoundTrip, InterfaceAndMethodPagesImportWithEveryMethodParameterAndFlag)
{
    const std::string header = Write("ddraw.h", kInterfaceHeader);
    const std::string nn = Write("nn.md", ReferencePageText("NN:ddraw.IDirectDrawY",
        "## -description\n\nApplications use the <b>IDirectDrawY</b> interface.\n\n## -members\n\n"
        "<table><tr><th>Method</th><th>Description</th></tr><tr><td><a href=\"x\">Restore</a></td><td>R.</td></tr></table>\n"));
    const std::string key = Write("key.md", ReferencePageText("NF:ddraw.IDirectDrawY.SetColorKey",
        "## -description\n\nSets the color key.\n\n## -parameters\n\n#### - lpDDColorKey [in]\n\nThe key.\n\n"
        "#### - dwFlags [in]\n\nWhich key:\n\n#### DDCKEY_DESTBLT\n\nA destination key.\n\n#### DDCKEY_SRCBLT\n\nA source key.\n\n"
        "## -returns\n\nDD_OK on success.\n\n## -remarks\n\nSet it before blitting.\n"));
    const std::string prio = Write("prio.md", ReferencePageText("NF:ddraw.IDirectDrawY.SetPriority",
        "## -description\n\nSets the priority.\n\n## -parameters\n\n#### - dwPriority [in]\n\nThe priority.\n"));
    const std::string restore = Write("restore.md", ReferencePageText("NF:ddraw.IDirectDrawY.Restore",
        "## -description\n\nRestores the surface.\n\n## -returns\n\nDD_OK.\n"));
    const std::string out = dir_.filePath("interfaces.txt").toStdString();

    const auto convert = runCli("convert", {"--header", header, "--utf8", "-o", out, nn, key, prio, restore});
    ASSERT_EQ(convert.code, 0) << convert.err;
    EXPECT_NE(convert.err.find("summary: methods: 3 written, 1 adapted, 0 lost, 0 not in the header\n"
                               "summary: parameters: 3 written, 3 adapted, 0 lost, 0 not in the header\n"
                               "summary: flags: 2 written, 2 adapted, 0 lost, 0 not in the header\n"),
              std::string::npos)
        << convert.err;

    const auto dryRun = runCli("import", {"--dry-run", out});
    EXPECT_EQ(dryRun.code, 0) << dryRun.out;
    EXPECT_NE(dryRun.out.find("1 Interfaces were imported SUCCESSFULLY!"), std::string::npos);

    import::ImportObserver silent;
    import::ImportSession session(silent, nullptr);
    ASSERT_EQ(session.ImportFile(out), import::ImportOutcome::Succeeded);
    const import::InterfaceLists& lists = session.Interfaces();
    EXPECT_EQ(lists.Property_Descriptions.size(), 3u);
    EXPECT_EQ(lists.Parameter_Names, (std::vector<std::string>{"dwFlags", "lpDDColorKey", "dwPriority"}));
    EXPECT_EQ(lists.Flag_Names.size(), 2u);
}

TEST_F(RoundTrip, AFamilyDeclaredOverTwoHeaders)
{
    // Like d3d9types.h and d3d9caps.h: each header declares part of the family.
    const std::string types =
        Write("types.h", "typedef struct _D3DXBOX {\n    UINT Left;\n    UINT Right;\n} D3DXBOX;\n");
    const std::string caps =
        Write("caps.h", "typedef struct _D3DXCAPS {\n    DWORD Caps;\n    float MaxZ;\n    float MinZ;\n} D3DXCAPS;\n");
    const std::string box = Write(
        "ns-box.md",
        ReferencePageText(
            "NS:d3d9types._D3DXBOX",
            "## -description\n\nA box.\n\n## -struct-fields\n\n### -field Left\n\nType: <b>UINT</b>\n\nLeft edge.\n\n"
            "### -field Right\n\nType: <b>UINT</b>\n\nRight edge.\n"));
    const std::string capsPage =
        Write("ns-caps.md",
              ReferencePageText("NS:d3d9caps._D3DXCAPS",
                                "## -description\n\nThe caps.\n\n## -struct-fields\n\n### -field Caps\n\nType: "
                                "<b>DWORD</b>\n\nCaps bits.\n\n"
                                "| Value | Meaning |\n|---|---|\n| D3DXCAPS_FAST | Fast \xE2\x89\xA5 slow. |\n\n"
                                "### -field MaxZ\n\nFar depth.\n\n### -field MinZ\n\nNear depth.\n"));
    const std::string out = dir_.filePath("d3dx.txt").toStdString();

    const auto oneHeader = runCli("convert", {"--header", types, "-o", out, box, capsPage});
    EXPECT_EQ(oneHeader.code, 0) << oneHeader.err;
    EXPECT_NE(oneHeader.err.find("summary: structures: 1 written, 0 adapted, 0 lost, 1 not in the header"),
              std::string::npos)
        << oneHeader.err;

    const auto convert = runCli("convert", {"--header", types, "--header", caps, "-o", out, box, capsPage});
    ASSERT_EQ(convert.code, 0) << convert.err;
    EXPECT_NE(convert.err.find("summary: structures: 2 written"), std::string::npos) << convert.err;
    EXPECT_NE(Read(out).find("D3DXCAPS_FAST Fast >= slow."), std::string::npos);
    EXPECT_EQ(Read(out).find("Type:"), std::string::npos);

    const auto dryRun = runCli("import", {"--dry-run", out});
    EXPECT_EQ(dryRun.code, 0) << dryRun.out;
    EXPECT_NE(dryRun.out.find("2 structures were imported SUCCESSFULLY!"), std::string::npos);
    import::ImportObserver silent;
    Counts counts;
    import::ImportSession session(silent, &counts);
    ASSERT_EQ(session.ImportFile(out), import::ImportOutcome::Succeeded);
    EXPECT_EQ(counts.members, 5u);
    EXPECT_EQ(counts.flags, 1u);
}

TEST_F(RoundTrip, AFileThatCannotBeWrittenIsNamedWithTheReason)
{
    const std::string header = Write("ddraw.h", kStructHeader);
    const std::string page =
        Write("ns-ddb.md",
              ReferencePageText("NS:ddraw._DDB",
                                "## -struct-fields\n\n### -field dwFlags\n\nFlags.\n\n### -field red\n\nRed.\n"));
    const auto convert = runCli("convert", {"--header", header, "-o", "/dev/full", page});
    EXPECT_EQ(convert.code, 2);
    EXPECT_NE(convert.err.find("velmora-cli convert: cannot write '/dev/full': No space left on device"),
              std::string::npos)
        << convert.err;
}

TEST_F(RoundTrip, ExitCodeTwoWhenNothingCanBeWritten)
{
    const std::string header = Write("ddraw.h", kStructHeader);
    const std::string page = Write("ns-ddz.md", ReferencePageText("NS:ddraw._DDZ", "## -struct-fields\n\n### -field a\n\nA.\n"));
    const auto convert = runCli("convert", {"--header", header, page});
    EXPECT_EQ(convert.code, 2);
    EXPECT_TRUE(convert.out.empty());
    EXPECT_NE(convert.err.find("summary: nothing written: every page was left out"), std::string::npos) << convert.err;
}

} // namespace
} // namespace velmora::convert
