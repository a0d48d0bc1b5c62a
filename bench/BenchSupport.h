#pragma once

// Processor time and peak memory, read one way by every benchmark: from the
// kernel's resource usage of this process or of its waited-for children. On a
// busy machine processor time stretches far less than the wall clock.

#include <sys/resource.h>

#include <cstdint>

namespace velmora::bench {

struct Usage {
    double processorSeconds = 0;  // user + system, every thread
    std::uint64_t peakBytes = 0;  // the largest resident size
};

inline Usage UsageOf(const rusage& usage)
{
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    // ru_maxrss is in KiB on Linux.
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), static_cast<std::uint64_t>(usage.ru_maxrss) * 1024};
}

// who: RUSAGE_SELF, or RUSAGE_CHILDREN for the children waited for so far.
inline Usage ResourceUsage(int who = RUSAGE_SELF)
{
    rusage usage{};
    getrusage(who, &usage);
    return UsageOf(usage);
}

inline double ProcessorSeconds(int who = RUSAGE_SELF)
{
    return ResourceUsage(who).processorSeconds;
}

inline std::uint64_t PeakResidentBytes()
{
    return ResourceUsage(RUSAGE_SELF).peakBytes;
}

inline double MiB(double bytes)
{
    return bytes / (1024.0 * 1024.0);
}

} // namespace velmora::bench
