// Parses a generated "Interfaces" file with the whole trace kept in memory and
// reports rows per second and peak memory.
//   interfaces_parse_bench [--rows N] [--repeat R] [--write PATH]

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "generators/InterfacesFileGenerator.h"
#include "import/ImportObserver.h"
#include "import/InterfaceLists.h"
#include "import/InterfacesParser.h"
#include "import/RowBuffer.h"

namespace {

using velmora::bench::InterfacesFileGenerator;
using namespace velmora::import;
using velmora::bench::MiB;
using velmora::bench::PeakResidentBytes;
using velmora::bench::ProcessorSeconds;

constexpr double kTargetRowsPerSecond = 2'000'000.0;

// Keeps every line the way the trace window's model does: the bytes of all
// lines in one buffer and the end offset of each.
class KeepingObserver : public ImportObserver {
public:
    std::string bytes;
    std::vector<std::uint64_t> ends;
    std::string status;

    void SetTraceCaption(const std::string&) override {}
    void ClearTrace() override
    {
        bytes.clear();
        ends.clear();
    }
    void AppendTrace(const velmora::import::TraceLine& line) override
    {
        for (std::string_view part : line.parts) bytes += part;
        ends.push_back(bytes.size());
    }
    void SetStatus(const std::string& caption, bool) override { status = caption; }
    void ShowTrace() override {}
};

int Usage()
{
    std::fprintf(stderr, "usage: interfaces_parse_bench [--rows N] [--repeat R] [--write PATH]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::size_t minRows = 1'000'000;
    int repeat = 3;
    const char* writePath = nullptr;
    for (int a = 1; a < argc; ++a) {
        const bool hasValue = a + 1 < argc;
        if (std::strcmp(argv[a], "--rows") == 0 && hasValue)
            minRows = std::strtoull(argv[++a], nullptr, 10);
        else if (std::strcmp(argv[a], "--repeat") == 0 && hasValue)
            repeat = std::atoi(argv[++a]);
        else if (std::strcmp(argv[a], "--write") == 0 && hasValue)
            writePath = argv[++a];
        else
            return Usage();
    }
    if (minRows == 0 || repeat < 1)
        return Usage();

    const std::size_t interfaces = InterfacesFileGenerator::InterfacesFor(minRows);
    if (writePath) {
        std::ofstream out(writePath, std::ios::binary);
        InterfacesFileGenerator::Write(out, interfaces);
        std::printf("wrote %zu interfaces to %s\n", interfaces, writePath);
        return out ? 0 : 1;
    }

    const std::vector<std::string> fileRows = InterfacesFileGenerator::Rows(interfaces);
    const double rowCount = static_cast<double>(fileRows.size());
    const std::uint64_t baseline = PeakResidentBytes();
    std::printf("%zu rows, %zu interfaces\n", fileRows.size(), interfaces);

    double best = 0;
    std::size_t traceLines = 0;
    for (int run = 0; run < repeat; ++run) {
        KeepingObserver observer;
        RowBuffer rows(observer);
        velmora::text::RowStore store;
        for (const std::string& row : fileRows) store.Append(row);
        rows.Assign(std::move(store));
        InterfaceLists lists;
        rows.SetRow(0);
        rows.NextRow();

        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessorSeconds();
        const bool ok = InterfacesParser(rows, observer, lists).ImportInterfaces("generated.txt");
        const double cpu = ProcessorSeconds() - cpuStart;
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

        if (!ok) {
            std::fprintf(stderr, "parse failed: %s\n", observer.status.c_str());
            return 1;
        }
        const double rate = rowCount / elapsed.count();
        best = std::max(best, rate);
        traceLines = observer.ends.size();
        // CPU time tells a slow parse from a busy machine.
        std::printf("run %d: %.3f s, %.0f rows/s (%.3f s CPU, %.0f rows per CPU second), %zu trace lines, status '%s'\n",
                    run + 1, elapsed.count(), rate, cpu, rowCount / cpu, traceLines, observer.status.c_str());
    }

    const std::uint64_t peak = PeakResidentBytes();
    std::printf("best: %.0f rows/s (target >= %.0f): %s\n", best, kTargetRowsPerSecond,
                best >= kTargetRowsPerSecond ? "MET" : "MISSED");
    std::printf("peak memory: %.1f MiB (%.1f MiB before parsing)\n", MiB(peak), MiB(baseline));
    return best >= kTargetRowsPerSecond ? 0 : 1;
}
