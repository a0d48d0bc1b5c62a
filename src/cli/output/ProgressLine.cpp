#include "cli/output/ProgressLine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace velmora::cli {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto QuietStart = std::chrono::seconds(1);
constexpr auto RedrawEvery = std::chrono::milliseconds(250);

} // namespace

bool standardErrorTakesProgress()
{
    if (!::isatty(STDERR_FILENO))
        return false;
    if (!::isatty(STDOUT_FILENO))
        return true;
    struct stat out {}, err {};
    return ::fstat(STDOUT_FILENO, &out) == 0 && ::fstat(STDERR_FILENO, &err) == 0 && out.st_rdev != err.st_rdev;
}

ProgressLine::ProgressLine(std::ostream& err, bool percentages)
    : err_(err), percentages_(percentages), start_(Clock::now())
{
}

void ProgressLine::look(Stage stage, long long done, long long total)
{
    const bool newStage = stage != stage_;
    stage_ = stage;
    const auto now = Clock::now();
    if (now - start_ < QuietStart || (!newStage && now - drawn_ < RedrawEvery))
        return;
    drawn_ = now;
    std::string line = "velmora-cli import: " + std::to_string(done);
    if (percentages_ && total > 0)
        line += " of " + std::to_string(total);
    line += stage == Stage::Rows ? " rows parsed" : " records saved";
    if (percentages_ && total > 0)
        line += " (" + std::to_string(std::min(100LL, done * 100 / total)) + "%)";
    // Carriage returns and spaces rather than terminal control sequences: every
    // terminal understands them.
    const std::size_t width = line.size();
    line.insert(0, 1, '\r');
    line.append(width_ > width ? width_ - width : 0, ' ');
    width_ = std::max(width_, width);
    Show(line);
}

void ProgressLine::clear()
{
    if (width_ == 0)
        return;
    Show('\r' + std::string(width_, ' ') + '\r');
    width_ = 0;
}

void ProgressLine::Show(const std::string& text)
{
    // Straight to the stream's buffer: the stream itself would first flush
    // standard output, its tie, which the trace's writer thread may be using.
    err_.rdbuf()->sputn(text.data(), static_cast<std::streamsize>(text.size()));
    err_.rdbuf()->pubsync();
}

} // namespace velmora::cli
