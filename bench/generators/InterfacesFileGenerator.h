#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "generators/FileForm.h"
#include "generators/Pick.h"
#include "generators/ShapeCounts.h"

namespace velmora::bench {

// Writes valid "Interfaces" files of any size. Every interface repeats one
// template that touches each kind of row the parser knows: pointer and plain
// parameters, flags with their description on the same and on the next row,
// 'this and that' and 'this, that, and something else' rows, doubled
// "Parameters" and "Return Values", Remarks and QuickInfo sections, and a
// property without parameters.
//
// Varied() writes small files that vary every row kind the layout accepts, in
// every file form loading accepts, together with what an import must find in
// them: the generator's own record, never the parser's reading.
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

    // What an import of a varied file must find: the twelve lists.
    struct Truth {
        std::vector<std::string> Interface_Names, Interface_Descriptions, Property_Names, Property_Descriptions,
            Property_Return_Types, Property_Return_Values, Parameter_Types, Parameter_Type_Modifiers, Parameter_Names,
            Parameter_Descriptions, Flag_Names, Flag_Descriptions;
    };
    struct VariedFile {
        std::vector<FileLine> lines;
        Truth truth;
        ShapeCounts shapes; // the row kinds and places it holds
        ShapeCounts formShapes; // how its rows became bytes
    };

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
            AppendRows(Template(Name(n)), rows);
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

    // A file of at most maxRows rows (the type row included).
    static VariedFile Varied(std::uint32_t seed, std::size_t maxRows)
    {
        std::mt19937 random(seed);
        const FileForm form(random);
        const Planner planner{random, form.Windows1252()};
        std::vector<Interface> interfaces;
        std::size_t rows = 1;
        const std::size_t wanted = static_cast<std::size_t>(Pick(random, 1, 6));
        while (interfaces.size() < wanted) {
            Interface next = planner.Plan(interfaces.size());
            std::vector<std::string> its;
            AppendRows(next, its);
            // Room for the row of the list and for a section the last property may need.
            if (rows + 1 + its.size() + 5 > maxRows) {
                if (interfaces.empty())
                    continue;
                break;
            }
            rows += 1 + its.size();
            interfaces.push_back(std::move(next));
        }
        EndTheFile(interfaces.back().properties.back());

        VariedFile file;
        std::vector<std::string> fileRows{"Interfaces"};
        for (const Interface& in : interfaces) {
            fileRows.push_back(in.name);
            file.truth.Interface_Names.push_back(in.name);
        }
        for (std::size_t i = 0; i < interfaces.size(); ++i) {
            AppendRows(interfaces[i], fileRows);
            Record(interfaces[i], i, file);
        }
        file.lines = form.Lines(fileRows, random, file.formShapes);
        return file;
    }

private:
    struct Parameter {
        std::string row, type, modifier, name;
        bool pointer = false;
    };
    struct Flag {
        std::string row, description;
        bool nextRow = false; // the description stands on the row after the flag's
    };
    // A row naming count parameters (or one), its description row, and flags.
    struct Block {
        std::string row, description;
        std::size_t count = 1;
        std::vector<Flag> flags;
    };
    struct Property {
        std::string heading, description, prototype, returnType;
        std::string closing; // the row with ");" after the parameter rows; empty when the prototype has it
        std::vector<Parameter> parameters;
        int parametersRows = 0;
        std::vector<Block> blocks;
        std::vector<std::string> returnValues;
        bool remarks = false;
        std::vector<std::string> remarkRows;
        bool quickInfo = false;
        std::vector<std::string> quickInfoRows;
    };
    struct Interface {
        std::string name, description;
        std::vector<std::string> propertyList;
        std::vector<Property> properties; // the list's entries other than AddRef, QueryInterface, Release
        ShapeCounts shapes;
    };

    static void AppendRows(const Interface& in, std::vector<std::string>& rows)
    {
        rows.push_back(in.name);
        rows.push_back(in.description);
        rows.insert(rows.end(), in.propertyList.begin(), in.propertyList.end());
        for (const Property& p : in.properties) {
            rows.push_back(p.heading);
            rows.push_back(p.description);
            rows.push_back(p.prototype);
            if (!p.closing.empty()) {
                for (const Parameter& parameter : p.parameters)
                    rows.push_back(parameter.row);
                rows.push_back(p.closing);
            }
            for (int r = 0; r < p.parametersRows; ++r)
                rows.emplace_back("Parameters");
            for (const Block& block : p.blocks) {
                rows.push_back(block.row);
                rows.push_back(block.description);
                for (const Flag& flag : block.flags) {
                    rows.push_back(flag.row);
                    if (flag.nextRow)
                        rows.push_back(flag.description);
                }
            }
            for (const std::string& value : p.returnValues) {
                rows.emplace_back("Return Values");
                rows.push_back(value);
            }
            if (p.remarks) {
                rows.emplace_back("Remarks");
                rows.insert(rows.end(), p.remarkRows.begin(), p.remarkRows.end());
            }
            if (p.quickInfo) {
                rows.emplace_back("QuickInfo");
                rows.insert(rows.end(), p.quickInfoRows.begin(), p.quickInfoRows.end());
            }
        }
    }

    static std::string Tag(std::string_view name, std::size_t value)
    {
        return "::[" + std::string(name) + "," + std::to_string(value) + "]::";
    }

    static void Record(const Interface& in, std::size_t i, VariedFile& file)
    {
        Truth& t = file.truth;
        t.Interface_Descriptions.push_back(in.description);
        t.Property_Names.insert(t.Property_Names.end(), in.propertyList.begin(), in.propertyList.end());
        std::size_t first = 0; // the property's first parameter among the interface's
        for (const Property& p : in.properties) {
            t.Property_Descriptions.push_back(p.description);
            t.Property_Return_Types.push_back(p.returnType);
            t.Property_Return_Values.insert(t.Property_Return_Values.end(), p.returnValues.begin(),
                                            p.returnValues.end());
            for (const Parameter& parameter : p.parameters) {
                t.Parameter_Types.push_back(parameter.type);
                t.Parameter_Names.push_back(parameter.name);
                if (parameter.pointer)
                    t.Parameter_Type_Modifiers.push_back(parameter.modifier);
            }
            std::size_t k = first;
            for (const Block& block : p.blocks) {
                for (std::size_t n = 0; n < block.count; ++n)
                    t.Parameter_Descriptions.push_back(Tag("InterfaceIndex", i) + block.description);
                for (const Flag& flag : block.flags) {
                    t.Flag_Names.push_back(flag.row);
                    t.Flag_Descriptions.push_back(Tag("FlagInterfaceIndex", i) + Tag("FlagParameterIndex", k)
                                                  + flag.description);
                }
                k += block.count;
            }
            first += p.parameters.size();
        }
        Merge(file.shapes, in.shapes);
        const Property& last = in.properties.back();
        if (last.remarks && !last.quickInfo)
            Count(file.shapes, "remarks ended by the next interface");
    }

    // The file's last property must not end right after a parameter's
    // description or flags: the row past the end counts as a flag row.
    static void EndTheFile(Property& last)
    {
        if (last.remarks)
            last.quickInfo = true;
        if (last.quickInfo && last.quickInfoRows.empty())
            last.quickInfoRows = {"Windows NT: 4.0.", "Windows: 95.", "Header: ddraw.h.", "Library: ddraw.lib."};
        const bool endsOnADescription = !last.blocks.empty() && last.blocks.back().count == 1;
        if (endsOnADescription && last.returnValues.empty() && !last.quickInfo)
            last.returnValues.emplace_back("The return value is DD_OK.");
    }

    static Parameter Plain(std::string type, std::string name, bool comma)
    {
        return {type + " " + name + (comma ? "," : ""), type, {}, name};
    }
    static Parameter Pointer(std::string type, std::string modifier, std::string name, bool comma)
    {
        return {type + " " + modifier + " " + name + (comma ? "," : ""), type, modifier, name, true};
    }

    // The benchmarks' interface, the same for every name.
    static Interface Template(const std::string& name)
    {
        const std::vector<std::string> quickInfo{
            "Windows NT: Use version 4.0 or later.", "Windows: Use Windows 95 or later.",
            "Header: Declared in " + name + ".h.", "Import Library: Use " + name + ".lib."};
        Interface in;
        in.name = name;
        in.description = "Applications use the " + name + " interface to draw widgets.";
        in.propertyList = {"AddRef", "QueryInterface", "Release", "Draw", "GetSize", "SetMode", "Reset"};

        Property draw;
        draw.heading = name + "::Draw";
        draw.description = "The " + name + "::Draw method draws the widget on a surface.";
        draw.prototype = "HRESULT Draw(";
        draw.returnType = "HRESULT ";
        draw.parameters = {Pointer("LPSURFACE", "FAR *", "lpSurface", true), Plain("LPRECT", "lpRect", true),
                           Plain("DWORD", "dwFlags", false)};
        draw.closing = ");";
        draw.parametersRows = 2;
        draw.blocks = {{"lpSurface", "Address of the surface to draw on.", 1, {}},
                       {"lpRect", "Address of the rectangle, or NULL for the whole surface.", 1, {}},
                       {"dwFlags",
                        "Flags that control the drawing.",
                        1,
                        {{"WF_WAIT Waits until the surface is free.", "Waits until the surface is free.", false},
                         {"WF_NOCLIP", "Draws outside the rectangle too.", true}}}};
        draw.returnValues = {"If the method succeeds, the return value is DD_OK.",
                             "Otherwise it is one of the error values."};
        draw.remarks = true;
        draw.remarkRows = {"Drawing a widget locks the surface."};
        draw.quickInfo = true;
        draw.quickInfoRows = quickInfo;

        Property getSize;
        getSize.heading = name + "::GetSize";
        getSize.description = "The " + name + "::GetSize method retrieves the size of the widget.";
        getSize.prototype = "HRESULT GetSize(";
        getSize.returnType = "HRESULT ";
        getSize.parameters = {Plain("LPDWORD", "lpdwWidth", true), Plain("LPDWORD", "lpdwHeight", false)};
        getSize.closing = ");";
        getSize.parametersRows = 1;
        getSize.blocks = {
            {"lpdwWidth and lpdwHeight", "Addresses of the values that receive the width and height.", 2, {}}};
        getSize.returnValues = {"The return value is DD_OK."};

        Property setMode;
        setMode.heading = name + "::SetMode";
        setMode.description = "The " + name + "::SetMode method sets the colour mode.";
        setMode.prototype = "HRESULT SetMode(";
        setMode.returnType = "HRESULT ";
        setMode.parameters = {Plain("DWORD", "dwRed", true), Plain("DWORD", "dwGreen", true),
                              Plain("DWORD", "dwBlue", false)};
        setMode.closing = ");";
        setMode.parametersRows = 1;
        setMode.blocks = {{"dwRed, dwGreen, and dwBlue", "The colour parts of the mode.", 3, {}}};
        setMode.remarks = true;
        setMode.remarkRows = {"The mode takes effect at once."};
        setMode.quickInfo = true;
        setMode.quickInfoRows = quickInfo;

        Property reset;
        reset.heading = name + "::Reset";
        reset.description = "The " + name + "::Reset method resets the widget.";
        reset.prototype = "HRESULT Reset();";
        reset.returnType = "HRESULT ";
        reset.parametersRows = 1;
        reset.returnValues = {"The return value is DD_OK."};

        in.properties = {draw, getSize, setMode, reset};
        return in;
    }

    // Draws interfaces of every shape the layout accepts.
    struct Planner {
        std::mt19937& random;
        bool windows1252;

        template <typename List>
        std::string Any(const List& list) const
        {
            return std::string(list[Pick(random, 0, static_cast<int>(std::size(list)) - 1)]);
        }

        // Text with, now and then, one character outside ASCII inside it.
        std::string Decorated(std::string text) const
        {
            if (text.size() >= 2 && OneIn(random, 3))
                text.insert(static_cast<std::size_t>(Pick(random, 1, static_cast<int>(text.size()) - 1)),
                            FileForm::Character(random));
            return text;
        }

        // A sentence whose first word holds a lowercase letter, so that it is never taken for a flag row.
        std::string Sentence() const
        {
            static constexpr std::string_view sentences[] = {"Address of the surface to draw on.",
                                                             "Flags that control the drawing, 0 and 1 among them.",
                                                             "Set if the widget is visible.",
                                                             "Pointer to the value, or NULL.",
                                                             "The return value is DD_OK.",
                                                             "Indicates that the call waits.",
                                                             "Reserved, must be zero."};
            return Decorated(Any(sentences));
        }

        // A row the layout takes whatever it says; now and then one that reads like a keyword or a flag.
        std::string AnyRow(ShapeCounts& shapes) const
        {
            static constexpr std::string_view keywords[] = {"QuickInfo", "Remarks", "Parameters", "Return Values",
                                                            "WF_WAIT"};
            if (!OneIn(random, 12))
                return Sentence();
            Count(shapes, "description that reads like a keyword");
            return Any(keywords);
        }

        Interface Plan(std::size_t i) const
        {
            static constexpr std::string_view stems[] = {"IWidget", "IDirectDrawSurface", "IPalette"};
            static constexpr std::string_view methods[] = {"Draw", "GetSize", "SetMode", "Reset", "Lock", "Blt"};
            static constexpr std::string_view unknown[] = {"AddRef", "QueryInterface", "Release"};
            Interface in;
            in.name = Decorated(Any(stems) + std::to_string(i));
            in.description = AnyRow(in.shapes);
            const int parsed = Pick(random, 1, 4);
            for (int p = 0; p < parsed; ++p) {
                std::string method = Any(methods) + std::to_string(p);
                // Only the row that opens the list must be a single word.
                if (p > 0 && OneIn(random, 8)) {
                    method = "Get " + method;
                    Count(in.shapes, "property name with a space");
                }
                in.propertyList.push_back(method);
            }
            if (OneIn(random, 2)) {
                Count(in.shapes, "AddRef, QueryInterface and Release");
                for (std::string_view name : unknown)
                    in.propertyList.insert(in.propertyList.begin()
                                               + Pick(random, 0, static_cast<int>(in.propertyList.size())),
                                           std::string(name));
            }
            std::vector<std::string> names; // the interface's parameter names so far
            std::size_t left = static_cast<std::size_t>(parsed);
            for (const std::string& method : in.propertyList)
                if (method != "AddRef" && method != "QueryInterface" && method != "Release")
                    in.properties.push_back(PlanProperty(in, method, i, names, --left == 0));
            return in;
        }

        Property PlanProperty(Interface& in, const std::string& method, std::size_t i, std::vector<std::string>& names,
                              bool last) const
        {
            static constexpr std::string_view types[] = {"HRESULT", "ULONG", "BOOL"};
            ShapeCounts& shapes = in.shapes;
            Property p;
            const std::string stem = method.substr(method.rfind(' ') + 1);
            p.heading = in.name + "::" + stem;
            // Only the first heading ends the property list, and must be a single word for that.
            if (!in.properties.empty() && OneIn(random, 6)) {
                p.heading += " method";
                Count(shapes, "heading with a space");
            }
            p.description = "The " + in.name + "::" + stem + " method: " + Sentence();
            const std::string type = Any(types);
            p.returnType = type + " ";
            if (OneIn(random, 6)) {
                p.prototype = type + " " + stem + (OneIn(random, 2) ? "();" : "(DWORD dwWidth, DWORD dwHeight);");
                Count(shapes, "prototype that closes itself");
            } else if (OneIn(random, 10)) {
                p.prototype = stem + "(";
                p.returnType.clear();
                Count(shapes, "prototype without space");
            } else {
                const bool wide = OneIn(random, 8);
                p.prototype = type + (wide ? "   " : " ") + stem + "(";
                if (wide)
                    Count(shapes, "prototype with a wide gap");
                if (OneIn(random, 8)) {
                    p.prototype += "DWORD dwOnTheFirstRow,";
                    Count(shapes, "parameter on the prototype row");
                }
            }
            const bool run = p.prototype.find(");") == std::string::npos;
            if (run) {
                p.closing = ");";
                if (OneIn(random, 8)) {
                    p.closing = "DWORD dwOnTheLastRow);";
                    Count(shapes, "parameter on the closing row");
                }
                const int count = OneIn(random, 10) ? 0 : Pick(random, 1, 6);
                if (count == 0)
                    Count(shapes, "parameter run without parameters");
                for (int j = 0; j < count; ++j)
                    p.parameters.push_back(PlanParameter(shapes, j + 1 < count || p.closing != ");"));
            }
            p.parametersRows = Pick(random, 0, run ? 2 : 1);
            if (p.parametersRows > 0)
                Count(shapes, p.parametersRows == 1 ? "one Parameters row" : "two Parameters rows");
            const std::size_t first = names.size();
            for (const Parameter& parameter : p.parameters)
                names.push_back(parameter.name);
            if (run)
                PlanBlocks(in, p, i, names, first);

            const int values = Pick(random, 0, run ? 2 : 1);
            for (int v = 0; v < values; ++v)
                p.returnValues.push_back(Sentence());
            if (values == 2)
                Count(shapes, "two Return Values sections");
            if (values > 0 && !run)
                Count(shapes, "Return Values without parameters");
            if (OneIn(random, 3)) {
                static constexpr std::string_view remarks[] = {"Drawing a widget locks the surface.",
                                                               "Remarks",
                                                               "Parameters",
                                                               "Return Values",
                                                               "WF_WAIT",
                                                               "QuickInfo follows."};
                p.remarks = true;
                for (int r = Pick(random, 0, 3); r > 0; --r)
                    p.remarkRows.push_back(Decorated(Any(remarks)));
                Count(shapes, "remarks");
            }
            // A Remarks section ends at QuickInfo, or at the next interface's name after the last property.
            p.quickInfo = p.remarks ? !last || OneIn(random, 2) : OneIn(random, 3);
            if (p.quickInfo) {
                static constexpr std::string_view rows[] = {"Windows NT: 4.0.", "Header: ddraw.h.", "QuickInfo",
                                                            "Return Values",    "Parameters",       "Remarks"};
                for (int r = 0; r < 4; ++r)
                    p.quickInfoRows.push_back(Any(rows));
                Count(shapes, "QuickInfo");
            }
            return p;
        }

        Parameter PlanParameter(ShapeCounts& shapes, bool comma) const
        {
            static constexpr std::string_view prefixes[] = {"dw", "lp", "h", "pv", "n"};
            static constexpr std::string_view words[] = {"Flags",  "Surface", "Rect", "Width",
                                                         "Height", "Color",   "Data"};
            static constexpr std::string_view types[] = {"DWORD", "LPVOID", "LPRECT", "LPSURFACE", "REFIID"};
            const std::string name = Decorated(Any(prefixes) + Any(words) + std::to_string(Pick(random, 0, 9)));
            const std::string type = Any(types);
            const std::string end = comma ? "," : "";
            switch (Pick(random, 0, 11)) {
            case 0: Count(shapes, "parameter row with a wide gap"); return {type + "   " + name + end, type, {}, name};
            case 1:
                Count(shapes, "pointer with a modifier");
                return {type + " FAR *" + name + end, type, "FAR *", name, true};
            case 2:
                Count(shapes, "pointer with a spaced name");
                return {type + " FAR * " + name + end, type, "FAR *", name, true};
            case 3:
                // The star before the first space: it stays in the type, the modifier is empty.
                Count(shapes, "pointer star on the type");
                return {type + "* " + name + end, type + "*", {}, name, true};
            case 4: Count(shapes, "pointer without modifier"); return {type + " *" + name + end, type, "*", name, true};
            case 5: Count(shapes, "parameter row without type"); return {name + end, {}, {}, name};
            case 6:
                // A row with a comma loses its last character, here the one after the comma.
                if (!comma)
                    break;
                Count(shapes, windows1252 ? "Windows-1252 character after a parameter row's comma"
                                          : "UTF-8 character after a parameter row's comma");
                return {type + " " + name + "," + std::string(FileForm::Character(random)), type, {}, name + ","};
            case 7:
                Count(shapes, "parameter name ending outside ASCII");
                return Plain(type, name + std::string(FileForm::Character(random)), comma);
            }
            return Plain(type, name, comma);
        }

        // Describes the property's parameters, from the interface's parameter first on.
        void PlanBlocks(Interface& in, Property& p, std::size_t i, const std::vector<std::string>& names,
                        std::size_t first) const
        {
            const std::size_t count = p.parameters.size();
            // A name with a comma stays out of rows that name several parameters.
            const auto plain = [&](std::size_t from, std::size_t n) {
                for (std::size_t j = from; j < from + n; ++j)
                    if (p.parameters[j].name.find(',') != std::string::npos)
                        return false;
                return true;
            };
            for (std::size_t j = 0; j < count;) {
                const std::size_t left = count - j;
                const int kind = Pick(random, 0, 3);
                Block block;
                block.description = AnyRow(in.shapes);
                int kindIndex = 0; // single, pair, list
                if (kind == 2 && left >= 2 && plain(j, 2)) {
                    block.count = 2;
                    kindIndex = 1;
                    std::string a = p.parameters[j].name, b = p.parameters[j + 1].name;
                    if (OneIn(random, 6)) {
                        std::vector<std::string> known;
                        for (const std::string& name : names)
                            if (name.find(',') == std::string::npos)
                                known.push_back(name);
                        a = Any(known);
                        b = Any(known);
                        Count(in.shapes, "pair naming other parameters");
                    }
                    block.row = a + " and " + b;
                } else if (kind == 3 && left >= 3 && plain(j, 3)) {
                    std::size_t n =
                        static_cast<std::size_t>(Pick(random, 3, static_cast<int>(std::min<std::size_t>(5, left))));
                    // A list may name more parameters than remain: each name still takes a description.
                    const bool beyond = plain(j, left) && OneIn(random, 8);
                    if (beyond) {
                        n = left + static_cast<std::size_t>(Pick(random, 1, 2));
                        Count(in.shapes, "list naming more parameters than remain");
                    }
                    while (!beyond && !plain(j, n))
                        --n;
                    block.count = n;
                    kindIndex = 2;
                    const bool unknown = OneIn(random, 6);
                    if (unknown)
                        Count(in.shapes, "list with an unknown name");
                    block.row = p.parameters[j].name;
                    for (std::size_t k = 1; k < n; ++k) {
                        // The rule needs one name of the interface; the others may be any.
                        const std::string name = j + k >= count || (unknown && OneIn(random, 2))
                                                     ? "dwSpare" + std::to_string(k)
                                                     : p.parameters[j + k].name;
                        block.row += "," + ListSeparator(in.shapes) + (k == n - 1 ? "and " : "") + name;
                    }
                } else {
                    block.row = p.parameters[j].name;
                    const int flags = OneIn(random, 3) ? Pick(random, 1, 3) : 0;
                    for (int f = 0; f < flags; ++f)
                        block.flags.push_back(PlanFlag(in.shapes, first + j, f));
                }
                // By kind, by place among the property's parameters, and by interface.
                static constexpr const char* kKinds[] = {"single parameter", "pair", "list"};
                static constexpr const char* kPlaces[] = {" first", " middle", " last"};
                const int place = j == 0 ? 0 : j + block.count >= count ? 2 : 1;
                Count(in.shapes, std::string(kKinds[kindIndex]) + kPlaces[place] + (i > 0 ? ", later interface" : ""));
                if (first > 0 && kindIndex > 0)
                    Count(in.shapes, kindIndex == 1 ? "pair in a later property" : "list in a later property");
                j += block.count;
                p.blocks.push_back(std::move(block));
            }
        }

        Flag PlanFlag(ShapeCounts& shapes, std::size_t k, int f) const
        {
            std::string word = OneIn(random, 6) ? (OneIn(random, 2) ? "A" : "NULL")
                                                : "WF_" + std::to_string(k) + "_" + std::to_string(f);
            if (OneIn(random, 4))
                word += "\xC3\x89"; // É: no lowercase letter, still a flag word
            std::string description = Sentence();
            if (OneIn(random, 2)) {
                Count(shapes, "flag with its description on the next row");
                return {word, description, true};
            }
            if (OneIn(random, 8)) {
                description = std::string(FileForm::kNoBreakSpace) + description;
                Count(shapes, "flag description starting outside ASCII");
            }
            Count(shapes, "flag with its description on the same row");
            return {word + std::string(Pick(random, 1, 3), ' ') + description, description, false};
        }

        // What follows a comma in a list row: the layout drops one character there.
        std::string ListSeparator(ShapeCounts& shapes) const
        {
            if (!OneIn(random, 4))
                return " ";
            Count(shapes, windows1252 ? "list with a Windows-1252 character after a comma"
                                      : "list with a UTF-8 character after a comma");
            return std::string(FileForm::Character(random));
        }
    };
};

} // namespace velmora::bench
