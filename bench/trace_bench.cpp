// Appends many lines to the trace model, then searches forward from the top
// for a text only the last line holds.
//   trace_bench [--lines N]     (default 10,000,000)

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <QCoreApplication>

#include "BenchSupport.h"
#include "app/TraceListModel.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const char* verdict(bool ok) { return ok ? "ok" : "MISSED"; }

} // namespace

int main(int argc, char** argv)
{
    long lines = 10'000'000;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lines") == 0 && i + 1 < argc) {
            lines = std::atol(argv[++i]);
        } else {
            std::printf("usage: %s [--lines N]\n", argv[0]);
            return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
        }
    }
    if (lines < 1) {
        std::fprintf(stderr, "--lines must be at least 1\n");
        return 2;
    }

    QCoreApplication app(argc, argv);
    velmora::app::TraceListModel model;

    // A typical trace line: a fixed text and a row number, built in place.
    std::string line = "Current Row: ";
    const std::size_t prefix = line.size();
    const std::string tail = " -> testing row against the structure layout";
    char digits[24];

    const auto appendStart = Clock::now();
    for (long i = 0; i + 1 < lines; ++i) {
        const auto end = std::to_chars(digits, digits + sizeof digits, i).ptr;
        line.resize(prefix);
        line.append(digits, end);
        line.append(tail);
        model.append(line);
    }
    model.append("Error Line: the needle only the last line holds");
    const double appendSeconds = secondsSince(appendStart);

    const auto searchStart = Clock::now();
    const int found = model.findForward("needle only", 0);
    const double searchSeconds = secondsSince(searchStart);

    if (found != lines - 1) {
        std::fprintf(stderr, "search found line %d, expected %ld\n", found, lines - 1);
        return 1;
    }

    const double linesPerSecond = static_cast<double>(lines) / appendSeconds;
    const double peak = velmora::bench::MiB(velmora::bench::PeakResidentBytes());
    std::printf("lines appended:  %ld\n", lines);
    std::printf("append:          %.3f s, %.0f lines/s   (target >= 5,000,000 lines/s: %s)\n", appendSeconds,
                linesPerSecond, verdict(linesPerSecond >= 5e6));
    std::printf("forward search:  %.3f s                 (target < 1 s: %s)\n", searchSeconds,
                verdict(searchSeconds < 1.0));
    std::printf("peak memory:     %.0f MB                (target < 2048 MB: %s)\n", peak, verdict(peak < 2048.0));
    return 0;
}
