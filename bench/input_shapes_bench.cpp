// Time and memory of `velmora-cli import --dry-run` on the input shapes that
// stress one lookup or one buffer, against the ordinary 1,000,000-row file.
// Run by hand, from the build's bin folder or with --cli PATH:
//   input_shapes_bench [--scale F] [--memory] [--cli PATH]
// Time: each shape's processor time per row stays within 2 x the ordinary
// file's. Memory (--memory, writes files of up to 1 GB): each shape's peak
// resident size beside its target: under 50 MB for the names sharing a 210 KB
// description, 3 x the file for the commas and the one-byte rows, 2.5 GB for
// the 1 GB line, and 3 x the file plus the command's own footprint (its peak
// on a one-row file) for the structure of a million members.

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "BenchSupport.h"
#include "generators/StructuresFileGenerator.h"

namespace {

namespace fs = std::filesystem;
using velmora::bench::MiB;

struct Run {
    int status = -1;
    double cpuSeconds = 0;
    std::uint64_t peakBytes = 0;
};

// The whole command, its trace thrown away.
Run RunImport(const std::string& cli, const std::string& file)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(cli.c_str(), cli.c_str(), "import", "--dry-run", file.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    Run run;
    rusage usage{};
    ::wait4(child, &run.status, 0, &usage);
    const velmora::bench::Usage used = velmora::bench::UsageOf(usage);
    run.cpuSeconds = used.processorSeconds;
    run.peakBytes = used.peakBytes;
    return run;
}

class FileWriter {
public:
    explicit FileWriter(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}
    ~FileWriter() { std::fclose(file_); }
    FileWriter& operator<<(std::string_view text)
    {
        std::fwrite(text.data(), 1, text.size(), file_);
        rows_ += static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));
        return *this;
    }
    std::uint64_t rows() const { return rows_; }

private:
    std::FILE* file_;
    std::uint64_t rows_ = 0;
};

std::uint64_t OneStructure(const std::string& path, std::uint64_t members)
{
    FileWriter out(path);
    out << "Structures\nS\nS\nThe structure.\ntypedef struct _S {\n";
    for (std::uint64_t i = 0; i < members; ++i) out << "DWORD m" + std::to_string(i) + ";\n";
    out << "} S;\nMembers\n";
    // Pairs and lists as well as single members: each kind looks the names up.
    for (std::uint64_t i = 0; i < members;) {
        const std::string m = "m" + std::to_string(i);
        if (i % 10 == 0 && i + 3 <= members) {
            out << m + ", m" + std::to_string(i + 1) + ", and m" + std::to_string(i + 2) + "\nThree members.\n";
            i += 3;
        } else if (i % 10 == 5 && i + 2 <= members) {
            out << m + " and m" + std::to_string(i + 1) + "\nTwo members.\n";
            i += 2;
        } else {
            out << m + "\nThe member.\n";
            i += 1;
        }
    }
    out << "QuickInfo\na\nb\nc\nd\n";
    return out.rows();
}

std::uint64_t OneMethod(const std::string& path, std::uint64_t parameters)
{
    FileWriter out(path);
    out << "Interfaces\nIW\nIW\nThe interface.\nAddRef\nGo\nIW::Go\nGoes somewhere.\nHRESULT Go(\n";
    for (std::uint64_t i = 0; i < parameters; ++i)
        out << "DWORD p" + std::to_string(i) + (i + 1 < parameters ? ",\n" : "\n");
    out << ");\nParameters\n";
    for (std::uint64_t i = 0; i < parameters;) {
        if (i % 10 == 0 && i + 3 <= parameters) {
            out << "p" + std::to_string(i) + ", p" + std::to_string(i + 1) + ", and p" + std::to_string(i + 2) +
                       "\nThree parameters.\n";
            i += 3;
        } else if (i % 10 == 5 && i + 2 <= parameters) {
            out << "p" + std::to_string(i) + " and p" + std::to_string(i + 1) + "\nTwo parameters.\n";
            i += 2;
        } else {
            out << "p" + std::to_string(i) + "\nThe parameter.\n";
            i += 1;
        }
    }
    out << "Return Values\nS_OK\n";
    return out.rows();
}

std::uint64_t OneInterface(const std::string& path, std::uint64_t methods)
{
    FileWriter out(path);
    out << "Interfaces\nIW\nIW\nThe interface.\n";
    for (std::uint64_t i = 0; i < methods; ++i) out << "M" + std::to_string(i) + "\n";
    for (std::uint64_t i = 0; i < methods; ++i) {
        const std::string n = std::to_string(i);
        out << "IW::M" + n + "\nDoes thing " + n + ".\nHRESULT M" + n + "(\nDWORD dwFlags\n);\nParameters\n" +
                   "dwFlags\nThe flags.\nReturn Values\nS_OK\nRemarks\nSee also.\nQuickInfo\na\nb\nc\nd\n";
    }
    return out.rows();
}

// Many names on one member-description row, each sharing a long description.
std::uint64_t SharedDescription(const std::string& path, std::uint64_t names)
{
    FileWriter out(path);
    out << "Interfaces\nIW\nIW\nThe interface.\nAddRef\nGo\nIW::Go\nGoes somewhere.\nHRESULT Go(\nDWORD a,\nDWORD b\n);\n"
           "Parameters\n";
    std::string row;
    for (std::uint64_t i = 0; i < names; ++i) row += "x, ";
    out << row + "a, and b\n" + std::string(names * 3, 'd') + " the description.\nReturn Values\nS_OK\n";
    return out.rows();
}

std::uint64_t Commas(const std::string& path, std::uint64_t bytes)
{
    FileWriter out(path);
    out << "Structures\nS\nS\nThe structure.\ntypedef struct _S {\nDWORD a;\nDWORD b;\n} S;\nMembers\n";
    out << std::string(bytes, ',') + "\nThe description.\nQuickInfo\na\nb\nc\nd\n";
    return out.rows();
}

std::uint64_t OneByteRows(const std::string& path, std::uint64_t bytes)
{
    FileWriter out(path);
    const std::string block(1 << 20, 'x');
    std::string rows;
    for (std::size_t i = 0; i < block.size(); i += 2) rows += "x\n";
    for (std::uint64_t written = 0; written < bytes; written += rows.size()) out << rows;
    return out.rows();
}

std::uint64_t OneLine(const std::string& path, std::uint64_t bytes)
{
    FileWriter out(path);
    const std::string block(1 << 20, 'x');
    for (std::uint64_t written = 0; written < bytes; written += block.size()) out << block;
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    double scale = 1.0;
    bool memory = false;
    std::string cli = (fs::path(argv[0]).parent_path() / "velmora-cli").string();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--scale" && i + 1 < argc) scale = std::atof(argv[++i]);
        else if (arg == "--memory") memory = true;
        else if (arg == "--cli" && i + 1 < argc) cli = argv[++i];
        else {
            std::fprintf(stderr, "usage: input_shapes_bench [--scale F] [--memory] [--cli PATH]\n");
            return 2;
        }
    }
    const auto scaled = [&](double n) { return static_cast<std::uint64_t>(n * scale); };
    const fs::path dir = fs::temp_directory_path() / ("velmora_shapes_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    bool met = true;

    const std::string ordinaryPath = (dir / "ordinary.txt").string();
    const auto counts = velmora::bench::StructuresFileGenerator().WriteFile(ordinaryPath, scaled(1'000'000));
    const Run ordinary = RunImport(cli, ordinaryPath);
    const double perRow = ordinary.cpuSeconds / static_cast<double>(counts.rows);
    std::printf("%-42s %9llu rows %8.3f s  %7.0f ns/row  peak %7.1f MiB\n", "ordinary structures file",
                static_cast<unsigned long long>(counts.rows), ordinary.cpuSeconds, perRow * 1e9, MiB(ordinary.peakBytes));
    fs::remove(ordinaryPath);

    struct Shape {
        const char* name;
        std::function<std::uint64_t(const std::string&)> write;
    };
    const Shape timeShapes[] = {
        {"one structure of 1,000,000 members", [&](const std::string& p) { return OneStructure(p, scaled(1'000'000)); }},
        {"one method of 100,000 parameters", [&](const std::string& p) { return OneMethod(p, scaled(100'000)); }},
        {"one interface of 100,000 methods", [&](const std::string& p) { return OneInterface(p, scaled(100'000)); }},
    };
    for (const Shape& shape : timeShapes) {
        const std::string path = (dir / "shape.txt").string();
        const std::uint64_t rows = shape.write(path);
        const std::uint64_t bytes = fs::file_size(path);
        const Run run = RunImport(cli, path);
        fs::remove(path);
        const double shapePerRow = run.cpuSeconds / static_cast<double>(rows);
        const bool ok = WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0 && shapePerRow <= 2 * perRow;
        met = met && ok;
        std::printf("%-42s %9llu rows %8.3f s  %7.0f ns/row  peak %7.1f MiB (file %.1f MiB)  exit %d: %s\n", shape.name,
                    static_cast<unsigned long long>(rows), run.cpuSeconds, shapePerRow * 1e9, MiB(run.peakBytes),
                    MiB(bytes), WEXITSTATUS(run.status), ok ? "met" : "MISSED");
    }

    if (memory) {
        const std::string onePath = (dir / "one-row.txt").string();
        FileWriter(onePath) << "Structures\n";
        const double footprint = static_cast<double>(RunImport(cli, onePath).peakBytes);
        fs::remove(onePath);
        std::printf("the command's own footprint (a one-row file): peak %.1f MiB\n", MiB(footprint));

        struct MemoryShape {
            const char* name;
            std::function<std::uint64_t(const std::string&)> write;
            std::function<double(double fileBytes)> target;
            const char* targetText;
        };
        const MemoryShape memoryShapes[] = {
            {"70,000 names sharing a 210 KB description", [&](const std::string& p) { return SharedDescription(p, scaled(70'000)); },
             [](double) { return 50e6; }, "50 MB"},
            {"a member row of 100 MB of commas", [&](const std::string& p) { return Commas(p, scaled(100e6)); },
             [](double file) { return 3 * file; }, "3 x file"},
            {"256 MB of one-byte rows", [&](const std::string& p) { return OneByteRows(p, scaled(256e6)); },
             [](double file) { return 3 * file; }, "3 x file"},
            {"one line of 1 GB", [&](const std::string& p) { return OneLine(p, scaled(1e9)); },
             [&](double) { return 2.5e9 * scale; }, "2.5 GB"},
            {"one structure of 1,000,000 members", [&](const std::string& p) { return OneStructure(p, scaled(1'000'000)); },
             [&](double file) { return 3 * file + footprint; }, "3 x file + footprint"},
        };
        for (const MemoryShape& shape : memoryShapes) {
            const std::string path = (dir / "shape.txt").string();
            shape.write(path);
            const auto bytes = static_cast<double>(fs::file_size(path));
            const Run run = RunImport(cli, path);
            fs::remove(path);
            const double peak = static_cast<double>(run.peakBytes);
            const double target = shape.target(bytes);
            const bool ok = WIFEXITED(run.status) && WEXITSTATUS(run.status) <= 1 && peak < target;
            met = met && ok;
            std::printf("%-42s file %8.1f MiB  %8.3f s  peak %8.1f MiB = %.2f x file  target < %s = %.1f MiB  exit %d: %s\n",
                        shape.name, MiB(bytes), run.cpuSeconds, MiB(peak), peak / bytes, shape.targetText, MiB(target),
                        WEXITSTATUS(run.status), ok ? "met" : "MISSED");
        }
    }
    fs::remove_all(dir);
    return met ? 0 : 1;
}
