// Parse speed and memory of a "Structures" import with its whole trace kept in
// memory. Run by hand:
//   structures_parse_bench [--rows N] [--file PATH] [--write PATH]
// Without --file it generates a file of N rows (default 1,000,000) in the
// temporary folder and removes it afterwards. --write only writes the file of
// N rows to PATH (for the whole-command benchmarks).

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "generators/StructuresFileGenerator.h"
#include "import/ImportObserver.h"
#include "import/ImportSession.h"

namespace {

using velmora::bench::MiB;
using velmora::bench::PeakResidentBytes;
using velmora::bench::ProcessorSeconds;
using velmora::import::ImportObserver;

// The trace as the command-line tool would print it, in fixed-size blocks of
// newline-ended lines: the whole trace stays in memory without the transient
// doubling of one growing buffer.
class InMemoryTrace : public ImportObserver {
public:
    void SetTraceCaption(const std::string&) override {}
    void ClearTrace() override
    {
        blocks_.clear();
        used_ = kBlockSize;
        lines_ = 0;
        bytes_ = 0;
    }
    void AppendTrace(const velmora::import::TraceLine& line) override
    {
        const std::size_t length = line.size();
        const std::size_t size = length + 1;
        if (size > kBlockSize - used_) {
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(std::max(kBlockSize, size)));
            used_ = 0;
        }
        char* at = blocks_.back().get() + used_;
        for (std::string_view part : line.parts) at = std::copy(part.begin(), part.end(), at);
        *at = '\n';
        used_ += size;
        bytes_ += length;
        ++lines_;
    }
    void SetStatus(const std::string& caption, bool) override
    {
        status_ = caption;
        ++statusChanges_;
    }
    void ShowTrace() override {}

    std::uint64_t lines() const { return lines_; }
    std::uint64_t bytes() const { return bytes_; }
    std::uint64_t statusChanges() const { return statusChanges_; }
    const std::string& status() const { return status_; }

private:
    static constexpr std::size_t kBlockSize = 1 << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = kBlockSize;
    std::uint64_t lines_ = 0;
    std::uint64_t bytes_ = 0;
    std::uint64_t statusChanges_ = 0;
    std::string status_;
};

int Usage()
{
    std::fprintf(stderr, "usage: structures_parse_bench [--rows N] [--file PATH] [--write PATH]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::uint64_t rows = 1'000'000;
    std::string path;
    bool writeOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rows" && i + 1 < argc) rows = std::strtoull(argv[++i], nullptr, 10);
        else if ((arg == "--file" || arg == "--write") && i + 1 < argc) {
            path = argv[++i];
            writeOnly = arg == "--write";
        } else return Usage();
    }
    const bool generated = path.empty() || writeOnly;
    if (generated) {
        if (!writeOnly)
            path = (std::filesystem::temp_directory_path() / ("velmora_structures_bench_" + std::to_string(::getpid()) + ".txt")).string();
        const auto counts = velmora::bench::StructuresFileGenerator().WriteFile(path, rows);
        std::printf("generated %llu rows, %llu structures, %llu members, %llu flags, %.1f MiB\n",
                    static_cast<unsigned long long>(counts.rows), static_cast<unsigned long long>(counts.structures),
                    static_cast<unsigned long long>(counts.members), static_cast<unsigned long long>(counts.flags),
                    MiB(counts.bytes));
        if (writeOnly)
            return 0;
    }
    const std::uint64_t fileBytes = std::filesystem::file_size(path);
    const std::uint64_t peakBefore = PeakResidentBytes();

    InMemoryTrace trace;
    velmora::import::ImportSession session(trace, nullptr);
    const double cpuStart = ProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    const auto outcome = session.ImportFile(path);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpuSeconds = ProcessorSeconds() - cpuStart;
    const std::uint64_t peak = PeakResidentBytes();
    if (generated) std::filesystem::remove(path);

    const double rowsPerSecond = session.Rows().Count() / seconds;
    const std::uint64_t memoryTarget = 3 * fileBytes + trace.bytes();
    std::printf("outcome: %s (status: %s)\n",
                outcome == velmora::import::ImportOutcome::Succeeded ? "succeeded" : "failed", trace.status().c_str());
    std::printf("rows: %d, trace: %llu lines, %.1f MiB, %llu status captions\n", session.Rows().Count(),
                static_cast<unsigned long long>(trace.lines()), MiB(trace.bytes()),
                static_cast<unsigned long long>(trace.statusChanges()));
    // Other processes on a busy machine stretch the wall-clock time; the
    // processor time shows what the import itself costs.
    std::printf("time: %.3f s (load, parse and trace) -> %.0f rows/s; processor time %.3f s -> %.0f rows/s "
                "(target >= 2,000,000): %s\n",
                seconds, rowsPerSecond, cpuSeconds, session.Rows().Count() / cpuSeconds,
                rowsPerSecond >= 2'000'000 ? "met" : "MISSED");
    std::printf("peak memory: %.1f MiB (%.1f MiB before the import); target < 3 x file (%.1f MiB) + trace (%.1f MiB) "
                "= %.1f MiB: %s\n",
                MiB(peak), MiB(peakBefore), MiB(fileBytes), MiB(trace.bytes()), MiB(memoryTarget),
                peak < memoryTarget ? "met" : "MISSED");
    return outcome == velmora::import::ImportOutcome::Succeeded ? 0 : 1;
}
