#pragma once

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>

namespace velmora::cli {

// True when standard error is a terminal that standard output is not: the
// only place a progress line may go.
bool standardErrorTakesProgress();

// How far a long import has come, as one line on standard error redrawn in
// place: rows parsed, then records saved, each with a percentage when the
// total means something. Nothing shows during the first second, the line is
// redrawn at most a few times a second, and it is wiped when the import ends.
// The counts arrive once a row or record, so that path only counts calls; the
// clock is read every few hundred of them.
class ProgressLine {
public:
    enum class Stage { Rows, Records };

    ProgressLine(std::ostream& err, bool percentages);
    ~ProgressLine() { clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(Stage stage, long long done, long long total)
    {
        if (++calls_ % CallsPerLook == 0 || stage != stage_)
            look(stage, done, total);
    }
    // Wipes the line, so that what follows on standard error starts clean.
    void clear();

private:
    static constexpr unsigned CallsPerLook = 256;
    void look(Stage stage, long long done, long long total);
    void Show(const std::string& text);

    std::ostream& err_;
    const bool percentages_;
    const std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point drawn_{};
    Stage stage_ = Stage::Rows;
    unsigned calls_ = 0;
    std::size_t width_ = 0;   // of the line on screen; 0 when none is
};

} // namespace velmora::cli
