#pragma once

// Valid "Structures" import files of any size, for the benchmarks and tests: many
// structures with unions, members described one by one, in pairs ('a and b')
// and in lists ('a, b, and c'), flags with their description on the same row
// and on the next, optional remarks, and the QuickInfo block. Deterministic
// for a given seed. Header-only.

#include <cstdint>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

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

    explicit StructuresFileGenerator(std::uint32_t seed = 20240601, std::string_view lineEnd = "\r\n")
        : seed_(seed), lineEnd_(lineEnd)
    {
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
    Counts Generate(std::uint64_t targetRows, Sink&& sink)
    {
        // A first pass counts how many structures the rows hold: the list of
        // their names comes first in the file.
        std::uint64_t structures = 0;
        {
            Counts dry;
            Writer<Discard> counter{Discard{}, lineEnd_, dry};
            std::mt19937 random(seed_);
            while (1 + structures + dry.rows < targetRows) WriteStructure(counter, random, structures++);
        }
        Counts counts;
        Writer<Sink&> out{sink, lineEnd_, counts};
        out.Line("Structures");
        for (std::uint64_t s = 0; s < structures; ++s) out.Line(StructureName(s));
        std::mt19937 random(seed_);
        for (std::uint64_t s = 0; s < structures; ++s) WriteStructure(out, random, s);
        counts.structures = structures;
        return counts;
    }

private:
    struct Discard {
        void operator()(std::string_view) const {}
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

    static std::string StructureName(std::uint64_t s) { return "DDSTRUCT" + std::to_string(s); }

    static int Pick(std::mt19937& random, int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(random);
    }

    template <typename Out>
    void WriteStructure(Out& out, std::mt19937& random, std::uint64_t s)
    {
        static constexpr std::string_view types[] = {"DWORD", "LONG", "LPVOID", "WORD", "DDPIXELFORMAT", "D3DVALUE"};
        static constexpr std::string_view words[] = {"Size", "Flags", "Width", "Height", "Pitch", "Caps", "Color",
                                                      "Depth", "Count", "Offset", "Mask", "Surface", "Value"};
        const std::string name = StructureName(s);
        const int memberCount = Pick(random, 3, 14);
        std::string members[14];
        for (int m = 0; m < memberCount; ++m)
            members[m] = "dw" + std::string(words[Pick(random, 0, std::size(words) - 1)]) + std::to_string(m);

        out.Line(name);
        out.Line("The " + name + " structure describes the capabilities of a surface, and how the driver treats it.");
        out.Line("typedef struct _" + name + " {");
        // Members from unionStart to unionStart + 1 stand in a union.
        const int unionStart = memberCount >= 6 && Pick(random, 0, 2) == 0 ? Pick(random, 1, memberCount - 3) : -1;
        for (int m = 0; m < memberCount; ++m) {
            if (m == unionStart) {
                out.Line("    union");
                out.Line("    {");
            }
            out.Line("        " + std::string(types[Pick(random, 0, std::size(types) - 1)]) + " " + members[m] + ";" +
                     (m % 5 == 4 ? " // reserved" : ""));
            if (unionStart >= 0 && m == unionStart + 1) out.Line("    };");
        }
        out.Line("} " + name + ", FAR *LP" + name + ";");
        out.Line("Members");

        for (int m = 0; m < memberCount;) {
            const int left = memberCount - m;
            const int kind = Pick(random, 0, 9);
            if (kind == 0 && left >= 2) {
                out.Line(members[m] + " and " + members[m + 1]);
                out.Line("Values that give both the " + members[m] + " and the " + members[m + 1] + " members.");
                m += 2;
            } else if (kind == 1 && left >= 3) {
                out.Line(members[m] + ", " + members[m + 1] + ", and " + members[m + 2]);
                out.Line("The three values of this group, each in pixels.");
                m += 3;
            } else {
                out.Line(members[m]);
                out.Line("Value of the member, in the units the surface uses; see the remarks for details.");
                const int flags = kind >= 7 ? Pick(random, 1, 5) : 0;
                for (int f = 0; f < flags; ++f) {
                    const std::string flag = "DDFLAG_" + name.substr(2) + "_" + std::to_string(m) + "_" + std::to_string(f);
                    if (Pick(random, 0, 1) == 0) {
                        out.Line(flag + " Set if the surface supports this capability.");
                    } else {
                        out.Line(flag);
                        out.Line("Indicates that the driver supports this capability for the surface.");
                    }
                    ++out.counts.flags;
                }
                ++m;
            }
        }
        out.counts.members += static_cast<std::uint64_t>(memberCount);

        if (Pick(random, 0, 2) == 0) {
            out.Line("Remarks");
            const int remarks = Pick(random, 1, 3);
            for (int r = 0; r < remarks; ++r) out.Line("The structure is used by several methods of the interface.");
        }
        out.Line("QuickInfo");
        out.Line("  Windows NT: Use version 4.0 or later.");
        out.Line("  Windows: Use Windows 95 or later.");
        out.Line("  Windows CE: Use version 1.0 or later.");
        out.Line("  Header: Declared in ddraw.h.");
    }

    std::uint32_t seed_;
    std::string lineEnd_;
};

} // namespace velmora::bench
