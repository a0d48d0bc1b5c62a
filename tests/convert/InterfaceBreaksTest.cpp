// The method pages carry no prototype and list their parameters in their own
// order; the header supplies the prototype. Page fragment in, rows out, log line.
#include <gtest/gtest.h>

#include "convert/ConvertTestSupport.h"
#include "convert/Converter.h"

namespace velmora::convert {
namespace {

using testing::AnyLineContains;
using testing::ContainsRun;
using testing::Joined;
using testing::ReferencePageText;

constexpr const char* kUnknown =
    "    STDMETHOD_(HRESULT,QueryInterface)(THIS_ REFIID riid, void** ppvObject) PURE;\n"
    "    STDMETHOD_(ULONG,AddRef)(THIS) PURE;\n    STDMETHOD_(ULONG,Release)(THIS) PURE;\n";

std::string Header(const std::string& methods)
{
    return "#define INTERFACE IDirectDrawX\nDECLARE_INTERFACE_(IDirectDrawX,IUnknown)\n{\n" + std::string(kUnknown) +
           methods + "};\n#undef INTERFACE\n";
}

struct MethodCase {
    const char* name;
    const char* methods;     // header rows inside the interface
    const char* parameters;  // the method page's "## -parameters" section
    std::vector<std::string> rows;
    const char* log;
    int exitCode = 0;
};

void PrintTo(const MethodCase& c, std::ostream* os) { *os << c.name; }

class InterfaceBreaks : public ::testing::TestWithParam<MethodCase> {};

TEST_P(InterfaceBreaks, RowsAndLogLine)
{
    const MethodCase& c = GetParam();
    const std::string interfacePage =
        ReferencePageText("NN:ddraw.IDirectDrawX", "## -description\n\nApplications use <b>IDirectDrawX</b> to draw.\n");
    const std::string methodPage = ReferencePageText(
        "NF:ddraw.IDirectDrawX.Lock",
        "## -description\n\nLocks the surface.\n\n## -parameters\n\n### -param\n\n" + std::string(c.parameters) +
            "\n## -returns\n\nIf the method succeeds, the return value is DD_OK.\n");
    const Conversion result = Convert(
        {Header(c.methods)}, {{"nn.md", interfacePage},
                              {"nf-lock.md", methodPage},
                              {"nf-islost.md", ReferencePageText("NF:ddraw.IDirectDrawX.IsLost",
                                                                 "## -description\n\nTells whether it is lost.\n")}});
    EXPECT_EQ(result.ExitCode(), c.exitCode) << Joined(result.log.Lines()) << result.failure;
    EXPECT_TRUE(ContainsRun(result.rows, c.rows)) << Joined(result.rows);
    EXPECT_TRUE(AnyLineContains(result.log.Lines(), c.log)) << Joined(result.log.Lines());
}

INSTANTIATE_TEST_SUITE_P(
    Table, InterfaceBreaks,
    ::testing::Values(
        MethodCase{"ParametersListedAlphabetically",
                   "    STDMETHOD(IsLost)(THIS) PURE;\n"
                   "    STDMETHOD(Lock)(THIS_ LPRECT lpDestRect, DWORD dwFlags, HANDLE hEvent) PURE;\n",
                   "#### - dwFlags [in]\n\nHow to lock.\n\n#### DDLOCK_WAIT\n\nWaits.\n\n"
                   "#### - hEvent [in]\n\nNot used.\n\n#### - lpDestRect [in]\n\nThe rectangle.\n",
                   {"HRESULT Lock(", "LPRECT lpDestRect,", "DWORD dwFlags,", "HANDLE hEvent", ");", "Parameters",
                    "lpDestRect", "The rectangle.", "dwFlags", "How to lock.", "DDLOCK_WAIT Waits.", "hEvent",
                    "Not used.", "Return Values", "If the method succeeds, the return value is DD_OK."},
                   "wrote 'parameters in prototype order'"},
        MethodCase{
            "NoPrototypeOnThePageTypesOnlyInTheHeader",
            "    STDMETHOD(IsLost)(THIS) PURE;\n    STDMETHOD(Lock)(THIS_ LPRECT,DWORD,LPVOID FAR *) PURE;\n",
            "#### - dwFlags [in]\n\nHow.\n\n#### - lpDestRect [in]\n\nWhere.\n\n#### - lplpSurface [out]\n\nWhat.\n",
            {"IDirectDrawX::Lock", "Locks the surface.", "HRESULT Lock(", "LPRECT lpDestRect,", "DWORD dwFlags,",
             "LPVOID FAR *lplpSurface", ");"},
            "the only pairing in which every name fits its type"},
        MethodCase{"PairingThatWouldBeAGuessLosesTheMethod",
                   "    STDMETHOD(IsLost)(THIS) PURE;\n    STDMETHOD(Lock)(THIS_ LPRECT,LPRECT) PURE;\n",
                   "#### - lpDestRect [in]\n\nWhere to.\n\n#### - lpSrcRect [in]\n\nWhere from.\n",
                   {"AddRef", "IsLost", "QueryInterface", "Release", "IDirectDrawX::IsLost",
                    "Tells whether it is lost.", "HRESULT IsLost();"},
                   "lost: IDirectDrawX: method Lock: no certain pairing of the page's lpDestRect, lpSrcRect",
                   1},
        MethodCase{
            "RenderedSyntaxWithAnnotationsGivesTheOrder",
            "    STDMETHOD(IsLost)(THIS) PURE;\n    STDMETHOD(Lock)(THIS_ LPRECT,LPRECT) PURE;\n",
            "#### - lpDestRect [in]\n\nWhere to.\n\n#### - lpSrcRect [in]\n\nWhere from.\n\n## -syntax\n\n"
            "```cpp\nHRESULT Lock(\n  [in] LPRECT lpSrcRect,\n  [in, optional] _In_opt_ LPRECT lpDestRect\n);\n```\n",
            {"HRESULT Lock(", "LPRECT lpSrcRect,", "LPRECT lpDestRect", ");", "Parameters", "lpSrcRect", "Where from."},
            "parameter names taken from the page's syntax block, annotations such as [in] removed"},
        MethodCase{"DirectionAnnotationsInTheParameterHeadings",
                   "    STDMETHOD(IsLost)(THIS) PURE;\n    STDMETHOD(Lock)(THIS_ DWORD dwFlags) PURE;\n",
                   "#### - dwFlags [in, optional]\n\nHow.\n",
                   {"DWORD dwFlags", ");", "Parameters", "dwFlags", "How."},
                   "page had 'dwFlags [in, optional]' in Lock; wrote the names alone"}));

} // namespace
} // namespace velmora::convert
