#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace velmora::bench {

// Writes valid "Interfaces" files of any size. Every interface repeats one
// template that touches each kind of row the parser knows: pointer and plain
// parameters, flags with their description on the same and on the next row,
// 'this and that' and 'this, that, and something else' rows, doubled
// "Parameters" and "Return Values", Remarks and QuickInfo sections, and a
// property without parameters.
class InterfacesFileGenerator {
public:
    // Rows of one interface's definition, plus its row in the interface list.
    static constexpr std::size_t kRowsPerInterface = 73;
    // Per interface: parameters, flags, property list rows, parsed properties,
    // "Return Values" sections.
    static constexpr std::size_t kParameters = 8;
    static constexpr std::size_t kFlags = 2;
    static constexpr std::size_t kPropertyNames = 7;
    static constexpr std::size_t kParsedProperties = 4;
    static constexpr std::size_t kReturnValues = 4;

    static std::size_t InterfacesFor(std::size_t minRows)
    {
        if (minRows <= 1 + kRowsPerInterface)
            return 1;
        return (minRows - 1 + kRowsPerInterface - 1) / kRowsPerInterface;
    }

    // The rows of a file with the given number of interfaces, as the loader
    // would return them (trimmed, no blank rows).
    static std::vector<std::string> Rows(std::size_t interfaces)
    {
        std::vector<std::string> rows;
        rows.reserve(1 + interfaces * kRowsPerInterface);
        rows.emplace_back("Interfaces");
        for (std::size_t n = 0; n < interfaces; ++n)
            rows.push_back(Name(n));
        for (std::size_t n = 0; n < interfaces; ++n)
            AppendDefinition(rows, Name(n));
        return rows;
    }

    // The same file as text, with the indents, blank lines and CR LF line
    // ends that loading drops again.
    static void Write(std::ostream& out, std::size_t interfaces)
    {
        const std::vector<std::string> rows = Rows(interfaces);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (r % 10 == 3)
                out << "\r\n";
            out << (r % 7 == 5 ? "\t  " : "") << rows[r] << "\r\n";
        }
    }

    static std::string Name(std::size_t n) { return "IWidget" + std::to_string(n); }

private:
    static void AppendDefinition(std::vector<std::string>& rows, const std::string& name)
    {
        const auto add = [&rows](std::string row) { rows.push_back(std::move(row)); };
        const auto quickInfo = [&add](const std::string& header) {
            add("QuickInfo");
            add("Windows NT: Use version 4.0 or later.");
            add("Windows: Use Windows 95 or later.");
            add("Header: Declared in " + header + ".h.");
            add("Import Library: Use " + header + ".lib.");
        };

        add(name);
        add("Applications use the " + name + " interface to draw widgets.");
        for (const char* property : {"AddRef", "QueryInterface", "Release", "Draw", "GetSize", "SetMode", "Reset"})
            add(property);

        add(name + "::Draw");
        add("The " + name + "::Draw method draws the widget on a surface.");
        add("HRESULT Draw(");
        add("LPSURFACE FAR * lpSurface,");
        add("LPRECT lpRect,");
        add("DWORD dwFlags");
        add(");");
        add("Parameters");
        add("Parameters");
        add("lpSurface");
        add("Address of the surface to draw on.");
        add("lpRect");
        add("Address of the rectangle, or NULL for the whole surface.");
        add("dwFlags");
        add("Flags that control the drawing.");
        add("WF_WAIT Waits until the surface is free.");
        add("WF_NOCLIP");
        add("Draws outside the rectangle too.");
        add("Return Values");
        add("If the method succeeds, the return value is DD_OK.");
        add("Return Values");
        add("Otherwise it is one of the error values.");
        add("Remarks");
        add("Drawing a widget locks the surface.");
        quickInfo(name);

        add(name + "::GetSize");
        add("The " + name + "::GetSize method retrieves the size of the widget.");
        add("HRESULT GetSize(");
        add("LPDWORD lpdwWidth,");
        add("LPDWORD lpdwHeight");
        add(");");
        add("Parameters");
        add("lpdwWidth and lpdwHeight");
        add("Addresses of the values that receive the width and height.");
        add("Return Values");
        add("The return value is DD_OK.");

        add(name + "::SetMode");
        add("The " + name + "::SetMode method sets the colour mode.");
        add("HRESULT SetMode(");
        add("DWORD dwRed,");
        add("DWORD dwGreen,");
        add("DWORD dwBlue");
        add(");");
        add("Parameters");
        add("dwRed, dwGreen, and dwBlue");
        add("The colour parts of the mode.");
        add("Remarks");
        add("The mode takes effect at once.");
        quickInfo(name);

        add(name + "::Reset");
        add("The " + name + "::Reset method resets the widget.");
        add("HRESULT Reset();");
        add("Parameters");
        add("Return Values");
        add("The return value is DD_OK.");
    }
};

} // namespace velmora::bench
