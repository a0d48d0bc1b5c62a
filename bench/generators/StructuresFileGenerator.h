#pragma once

// Valid "Structures" import files of any size, for the benchmarks and tests: many
// structures with unions, members described one by one, in pairs ('a and b')
// and in lists ('a, b, and c'), flags with their description on the same row
// and on the next, optional remarks, and the QuickInfo block. Deterministic
// for a given seed. Header-only.
//
// Varied() writes small files that vary every row kind the layout accepts, in
// every file form loading accepts, together with what an import must find in
// them: the generator's own record, never the parser's reading.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "generators/FileForm.h"
#include "generators/Pick.h"
#include "generators/ShapeCounts.h"

namespace velmora::bench {

class StructuresFileGenerator {
public:
    struct Counts {
        std::uint64_t rows = 0;        // non-empty rows, the type row included
        std::uint64_t bytes = 0;
        std::uint64_t structures = 0;
        std::uint64_t members = 0;
        std::uint64_t flags = 0;
    };

    // What an import of a varied file must find: the seven lists of a
    // structures import, as the save would receive them.
    struct Truth {
        std::vector<std::string> Structure_Names, Structure_Descriptions, Member_Names, Member_Types,
            Member_Descriptions, Flag_Names, Flag_Descriptions;
    };
    struct VariedFile {
        std::vector<FileLine> lines;
        Truth truth;
        ShapeCounts shapes; // the row kinds and places it holds
        ShapeCounts formShapes; // how its rows became bytes
    };

    explicit StructuresFileGenerator(std::uint32_t seed = 20240601, std::string_view lineEnd = "\r\n")
        : seed_(seed), lineEnd_(lineEnd)
    {
    }

    // A file of at most maxRows rows (the type row included).
    static VariedFile Varied(std::uint32_t seed, std::uint64_t maxRows)
    {
        StructuresFileGenerator generator(seed, "");
        generator.varied_ = true;
        std::mt19937 formRandom(seed ^ 0x5bd1e995u);
        const FileForm form(formRandom);
        generator.windows1252_ = form.Windows1252();
        generator.maxRows_ = maxRows;

        VariedFile file;
        std::vector<std::string> rows;
        generator.Generate(
            static_cast<std::uint64_t>(Pick(formRandom, 8, static_cast<int>(maxRows))),
            [&](std::string_view row) { rows.emplace_back(row); }, &file);
        file.lines = form.Lines(rows, formRandom, file.formShapes);
        return file;
    }

    // The file as text: at least targetRows rows, as few more as it takes to
    // finish the last structure.
    std::string Text(std::uint64_t targetRows)
    {
        std::string text;
        Generate(targetRows, [&](std::string_view line) { text.append(line); });
        return text;
    }

    // Streams the file to path without holding it in memory.
    Counts WriteFile(const std::string& path, std::uint64_t targetRows)
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) throw std::runtime_error("cannot write " + path);
        const Counts counts = Generate(targetRows, [&](std::string_view line) {
            std::fwrite(line.data(), 1, line.size(), file);
        });
        if (std::fclose(file) != 0) throw std::runtime_error("cannot write " + path);
        return counts;
    }

    // Calls sink with each line, its line end included.
    template <typename Sink>
    Counts Generate(std::uint64_t targetRows, Sink&& sink, VariedFile* varied = nullptr)
    {
        // A first pass counts how many structures the rows hold: the list of
        // their names comes first in the file.
        std::vector<std::string> names;
        {
            std::uint64_t rows = 0;
            std::mt19937 random(seed_);
            while (1 + names.size() + rows < targetRows) {
                Structure next = Build(random, names.size());
                if (varied_ && !names.empty() && 2 + names.size() + rows + next.rows.size() > maxRows_)
                    break;
                rows += next.rows.size();
                names.push_back(next.name);
            }
        }
        Counts counts;
        Writer<Sink&> out{sink, lineEnd_, counts};
        out.Line("Structures");
        for (const std::string& name : names)
            out.Line(name);
        std::mt19937 random(seed_);
        for (std::uint64_t s = 0; s < names.size(); ++s) {
            const Structure structure = Build(random, s);
            for (const std::string& row : structure.rows)
                out.Line(row);
            counts.members += structure.memberNames.size();
            counts.flags += structure.flagRows.size();
            if (varied)
                Record(structure, s, *varied);
        }
        counts.structures = names.size();
        return counts;
    }

private:
    // One structure's rows, from its name row to its last QuickInfo row, and
    // what they stand for.
    struct Structure {
        std::string name;
        std::vector<std::string> rows;
        std::vector<std::string> memberNames, memberTypes;
        std::vector<std::string> memberDescriptions; // one for each member a block describes
        std::vector<std::string> flagRows;
        std::vector<std::pair<std::size_t, std::string>> flagDescriptions; // member position, description
        ShapeCounts shapes;
    };

    template <typename Sink>
    struct Writer {
        Sink sink;
        std::string_view lineEnd;
        Counts& counts;
        std::string line = {};

        void Line(std::string_view text)
        {
            line.assign(text);
            line.append(lineEnd);
            sink(std::string_view(line));
            ++counts.rows;
            counts.bytes += line.size();
        }
    };

    static std::string Tag(std::string_view name, std::uint64_t value)
    {
        return "::[" + std::string(name) + "," + std::to_string(value) + "]::";
    }

    static void Record(const Structure& structure, std::uint64_t s, VariedFile& file)
    {
        Truth& t = file.truth;
        const std::size_t firstMember = t.Member_Names.size();
        t.Structure_Names.push_back(structure.name);
        t.Structure_Descriptions.push_back(structure.rows[1]);
        t.Member_Names.insert(t.Member_Names.end(), structure.memberNames.begin(), structure.memberNames.end());
        t.Member_Types.insert(t.Member_Types.end(), structure.memberTypes.begin(), structure.memberTypes.end());
        for (const std::string& description : structure.memberDescriptions)
            t.Member_Descriptions.push_back(Tag("StructureIndex", s) + description);
        t.Flag_Names.insert(t.Flag_Names.end(), structure.flagRows.begin(), structure.flagRows.end());
        for (const auto& [member, description] : structure.flagDescriptions)
            t.Flag_Descriptions.push_back(Tag("FlagStructureIndex", s) + Tag("FlagMemberIndex", firstMember + member)
                                          + description);
        Merge(file.shapes, structure.shapes);
    }

    // Text with, now and then, one character outside ASCII inside it.
    static std::string Decorated(std::mt19937& random, std::string text)
    {
        if (text.size() >= 2 && OneIn(random, 3))
            text.insert(static_cast<std::size_t>(Pick(random, 1, static_cast<int>(text.size()) - 1)),
                        FileForm::Character(random));
        return text;
    }

    template <typename List>
    static std::string_view Any(std::mt19937& random, const List& list)
    {
        return list[Pick(random, 0, static_cast<int>(std::size(list)) - 1)];
    }

    Structure Build(std::mt19937& random, std::uint64_t s) const
    {
        static constexpr std::string_view words[] = {"Size", "Flags", "Width", "Height", "Pitch", "Caps", "Color",
                                                      "Depth", "Count", "Offset", "Mask", "Surface", "Value"};
        static constexpr std::string_view prefixes[] = {"dw", "lp", "h", "n", "b", "pv"};
        Structure st;
        std::vector<std::string>& rows = st.rows;
        const std::string indent = varied_ ? "" : "    ";
        static constexpr std::string_view stems[] = {"DDSTRUCT", "DDCOLOR", "D3DVERTEX"};
        st.name = varied_ ? Decorated(random, std::string(Any(random, stems)) + std::to_string(s))
                          : "DDSTRUCT" + std::to_string(s);
        const std::string& name = st.name;
        const int memberCount = varied_ ? Pick(random, 1, 14) : Pick(random, 3, 14);
        std::string members[14];
        for (int m = 0; m < memberCount; ++m)
            members[m] = varied_ ? Decorated(random, std::string(Any(random, prefixes))
                                                         + std::string(Any(random, words)) + std::to_string(m))
                                 : "dw" + std::string(words[Pick(random, 0, std::size(words) - 1)]) + std::to_string(m);
        if (memberCount == 1)
            Count(st.shapes, "structure of one member");

        rows.push_back(name);
        rows.push_back(varied_
                           ? AnyRow(random, st.shapes)
                           : "The " + name
                                 + " structure describes the capabilities of a surface, and how the driver treats it.");
        rows.push_back(varied_ && OneIn(random, 3) ? "struct " + name + " {" : "typedef struct _" + name + " {");
        const Union u = PlaceUnion(random, memberCount, st.shapes);
        for (int m = 0; m < memberCount; ++m) {
            if (m == u.start) {
                if (u.form == 1) {
                    rows.push_back("union {");
                } else {
                    rows.push_back(u.form == 2 ? "DWORD dwPadding; // a union follows" : indent + "union");
                    rows.push_back(indent + "{");
                }
            }
            if (m == u.nested)
                rows.push_back("union {");
            DeclareMember(random, members[m], st);
            if (m == u.end - 1) {
                if (u.nested >= 0)
                    rows.push_back("};");
                rows.push_back(indent + "};");
            }
        }
        rows.push_back(varied_ && OneIn(random, 2) ? "} " + name + ";" : "} " + name + ", FAR *LP" + name + ";");
        rows.push_back("Members");

        for (int m = 0; m < memberCount;) {
            const int left = memberCount - m;
            const int kind = Pick(random, 0, 9);
            if (kind == 0 && left >= 2) {
                const bool others = varied_ && OneIn(random, 6);
                const std::string& a = others ? st.memberNames[Pick(random, 0, memberCount - 1)] : st.memberNames[m];
                const std::string& b =
                    others ? st.memberNames[Pick(random, 0, memberCount - 1)] : st.memberNames[m + 1];
                if (others)
                    Count(st.shapes, "pair naming other members");
                rows.push_back(a + " and " + b);
                DescribeMembers(random, st,
                                "Values that give both the " + members[m] + " and the " + members[m + 1] + " members.",
                                2);
                CountBlock(st, 1, m, 2, memberCount, s);
                m += 2;
            } else if (kind == 1 && left >= 3) {
                // A list may name more members than remain. The import ignores the
                // extra names, so that later members keep their own descriptions.
                const bool beyond = varied_ && OneIn(random, 8);
                const int n = !varied_ ? 3 : beyond ? left + Pick(random, 1, 2) : Pick(random, 3, std::min(5, left));
                if (beyond)
                    Count(st.shapes, "list naming more members than remain");
                std::string row = st.memberNames[m];
                for (int k = 1; k < n; ++k)
                    row += "," + ListSeparator(random, st.shapes) + (k == n - 1 ? "and " : "")
                           + st.memberNames[m + k < memberCount ? m + k : Pick(random, 0, memberCount - 1)];
                rows.push_back(row);
                DescribeMembers(random, st, "The three values of this group, each in pixels.", std::min(n, left));
                CountBlock(st, 2, m, n, memberCount, s);
                m += n;
            } else {
                rows.push_back(st.memberNames[m]);
                DescribeMembers(random, st,
                                "Value of the member, in the units the surface uses; see the remarks for details.", 1);
                CountBlock(st, 0, m, 1, memberCount, s);
                const int flags = kind >= 7 ? Pick(random, 1, 5) : 0;
                for (int f = 0; f < flags; ++f)
                    AddFlag(random, st, m, f);
                ++m;
            }
        }

        if (Pick(random, 0, 2) == 0) {
            rows.push_back("Remarks");
            const int remarks = Pick(random, varied_ ? 0 : 1, 3);
            Count(st.shapes, remarks == 0 ? "remarks without rows" : "remarks");
            for (int r = 0; r < remarks; ++r)
                rows.push_back(varied_ ? Decorated(random, std::string(Any(random, kRemarks)))
                                       : "The structure is used by several methods of the interface.");
        }
        rows.push_back("QuickInfo");
        const std::string lead = varied_ ? "" : "  ";
        if (varied_ && OneIn(random, 4)) {
            // Skipped whatever they hold.
            static constexpr std::string_view keywords[] = {"QuickInfo", "Members", "Remarks", "}"};
            for (int r = 0; r < 4; ++r)
                rows.push_back(std::string(Any(random, keywords)));
        } else {
            rows.push_back(lead + "Windows NT: Use version 4.0 or later.");
            rows.push_back(lead + "Windows: Use Windows 95 or later.");
            rows.push_back(lead + "Windows CE: Use version 1.0 or later.");
            rows.push_back(lead + "Header: Declared in ddraw.h.");
        }
        return st;
    }

    // Members from start to end stand in a union; from nested on, in a union
    // inside it. No union: start is -1.
    struct Union {
        int start = -1, end = -1, nested = -1;
        int form = 0; // "union" then "{"; "union {"; a row that only mentions a union, then "{"
    };

    Union PlaceUnion(std::mt19937& random, int memberCount, ShapeCounts& shapes) const
    {
        Union u;
        if (!varied_) {
            u.start = memberCount >= 6 && Pick(random, 0, 2) == 0 ? Pick(random, 1, memberCount - 3) : -1;
            u.end = u.start >= 0 ? u.start + 2 : -1;
            return u;
        }
        if (!OneIn(random, 3))
            return u;
        u.start = Pick(random, 0, memberCount - 1);
        u.end = Pick(random, u.start + 1, std::min(memberCount, u.start + 3));
        u.form = Pick(random, 0, 2);
        if (u.end - u.start >= 2 && OneIn(random, 3))
            u.nested = u.start + 1;
        static constexpr const char* forms[] = {"union", "union and brace on one row", "row mentioning a union"};
        Count(shapes, forms[u.form]);
        if (u.nested >= 0)
            Count(shapes, "nested union");
        if (u.start == 0)
            Count(shapes, "union at the start");
        if (u.end == memberCount)
            Count(shapes, "union at the end");
        return u;
    }

    // The member's declaration row; its name is what the description blocks
    // must name (a type of two words leaves the second one in the name).
    void DeclareMember(std::mt19937& random, const std::string& member, Structure& st) const
    {
        static constexpr std::string_view types[] = {"DWORD", "LONG", "LPVOID", "WORD", "DDPIXELFORMAT", "D3DVALUE"};
        const std::string type(types[Pick(random, 0, std::size(types) - 1)]);
        const std::size_t m = st.memberNames.size();
        if (!varied_) {
            st.rows.push_back("        " + type + " " + member + ";" + (m % 5 == 4 ? " // reserved" : ""));
            st.memberTypes.push_back(type);
            st.memberNames.push_back(member);
            return;
        }
        std::string row = type + " " + member + ";";
        std::string memberType = type, memberName = member;
        switch (Pick(random, 0, 7)) {
        case 0:
            row = type + std::string(Pick(random, 2, 4), ' ') + member + ";";
            Count(st.shapes, "member row with a wide gap");
            break;
        case 1:
            memberType = type + "*";
            row = memberType + " " + member + ";";
            Count(st.shapes, "member type with a star");
            break;
        case 2:
            memberType = "unsigned";
            memberName = "long " + member;
            row = "unsigned " + memberName + ";";
            Count(st.shapes, "member type of two words");
            break;
        case 3:
            memberType.clear();
            row = member + ";";
            Count(st.shapes, "member row without type");
            break;
        case 4:
            row += " // " + Decorated(random, "see the remarks");
            Count(st.shapes, "member row with a comment");
            break;
        }
        st.rows.push_back(row);
        st.memberTypes.push_back(memberType);
        st.memberNames.push_back(memberName);
    }

    // What follows a comma in a list row: the layout drops one character there.
    std::string ListSeparator(std::mt19937& random, ShapeCounts& shapes) const
    {
        if (!varied_ || !OneIn(random, 4))
            return " ";
        Count(shapes, windows1252_ ? "list with a Windows-1252 character after a comma"
                                   : "list with a UTF-8 character after a comma");
        return std::string(FileForm::Character(random));
    }

    // A row the layout takes whatever it says; now and then one that reads
    // like a keyword or a flag.
    std::string AnyRow(std::mt19937& random, ShapeCounts& shapes) const
    {
        static constexpr std::string_view keywords[] = {"QuickInfo", "Remarks", "Members", "DDSD_CAPS", "}"};
        if (!OneIn(random, 12))
            return Decorated(random, std::string(Any(random, kDescriptions)));
        Count(shapes, "description that reads like a keyword");
        return std::string(Any(random, keywords));
    }

    // The description row of a block that describes n members.
    void DescribeMembers(std::mt19937& random, Structure& st, const std::string& usual, int n) const
    {
        const std::string description = varied_ ? AnyRow(random, st.shapes) : usual;
        st.rows.push_back(description);
        for (int k = 0; k < n; ++k)
            st.memberDescriptions.push_back(description);
    }

    // A member description row by kind, by place in its structure, and by
    // structure: "pair last, later structure".
    void CountBlock(Structure& st, int kind, int first, int n, int memberCount, std::uint64_t s) const
    {
        static constexpr const char* kKinds[] = {"single member", "pair", "list"};
        static constexpr const char* kPlaces[] = {" first", " middle", " last"};
        const int place = first == 0 ? 0 : first + n >= memberCount ? 2 : 1;
        Count(st.shapes, std::string(kKinds[kind]) + kPlaces[place] + (s > 0 ? ", later structure" : ""));
    }

    void AddFlag(std::mt19937& random, Structure& st, int m, int f) const
    {
        std::string flag = "DDFLAG_" + st.name.substr(2) + "_" + std::to_string(m) + "_" + std::to_string(f);
        std::string description = "Set if the surface supports this capability.";
        std::string gap = " ";
        if (varied_) {
            flag = OneIn(random, 6) ? "A" : "DDF_" + std::to_string(m) + "_" + std::to_string(f);
            if (OneIn(random, 4))
                flag += "\xC3\x89"; // É: no lowercase letter, still a flag word
            description = Decorated(random, std::string(Any(random, kDescriptions)));
            gap = std::string(Pick(random, 1, 3), ' ');
        }
        if (Pick(random, 0, 1) == 0) {
            if (varied_ && OneIn(random, 8)) {
                description = std::string(FileForm::kNoBreakSpace) + description;
                Count(st.shapes, "flag description starting outside ASCII");
            }
            st.rows.push_back(flag + gap + description);
            st.flagRows.push_back(st.rows.back());
            Count(st.shapes, "flag with its description on the same row");
        } else {
            if (!varied_)
                description = "Indicates that the driver supports this capability for the surface.";
            st.rows.push_back(flag);
            st.rows.push_back(description);
            st.flagRows.push_back(flag);
            Count(st.shapes, "flag with its description on the next row");
        }
        st.flagDescriptions.emplace_back(m, description);
    }

    // Texts whose first word holds a lowercase letter: none of them can be
    // taken for a flag row.
    static constexpr std::string_view kDescriptions[] = {
        "The structure describes a surface, and how the driver treats it.",
        "Value of the member, in pixels; see the remarks.",
        "Indicates that the driver supports this capability.",
        "Set if the surface is in video memory.",
        "Pointer to the palette, or NULL when there is none.",
        "Bits per pixel, 8 and 16 among them.",
        "Reserved, must be zero."};
    static constexpr std::string_view kRemarks[] = {"The structure is used by several methods of the interface.",
                                                    "Remarks",
                                                    "DDSD_CAPS must be set.",
                                                    "QuickInfo is given below.",
                                                    "dwSize0",
                                                    "Members",
                                                    "Set the members, and the flags, before the call."};

    std::uint32_t seed_;
    std::string lineEnd_;
    bool varied_ = false;
    bool windows1252_ = false;
    std::uint64_t maxRows_ = 0;
};

} // namespace velmora::bench
