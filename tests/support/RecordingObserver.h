#pragma once

#include <string>
#include <vector>

#include "import/ImportObserver.h"

namespace velmora::testing {

// Keeps everything an import reports, for assertions.
struct RecordingObserver : import::ImportObserver {
    std::string caption;
    std::vector<std::string> trace;
    struct Status {
        std::string caption;
        bool repaintNow;
        bool operator==(const Status&) const = default;
    };
    std::vector<Status> statuses;
    int clears = 0;
    int shows = 0;

    void SetTraceCaption(const std::string& c) override { caption = c; }
    void ClearTrace() override
    {
        trace.clear();
        ++clears;
    }
    void AppendTrace(const import::TraceLine& line) override { trace.push_back(line.ToString()); }
    void SetStatus(const std::string& c, bool repaintNow) override { statuses.push_back({c, repaintNow}); }
    void ShowTrace() override { ++shows; }

    std::string LastStatus() const { return statuses.empty() ? std::string() : statuses.back().caption; }
};

} // namespace velmora::testing
