#include "cli/TraceWriter.h"

#include <cstring>
#include <ostream>

#include "cli/Command.h"

namespace velmora::cli {

namespace {

// Copies a part to at and returns its end. Most parts are a few bytes: two
// overlapping fixed-size copies instead of a call to memcpy.
char* CopyPart(char* at, std::string_view part)
{
    const char* from = part.data();
    const std::size_t n = part.size();
    if (n >= 8 && n <= 16) {
        std::memcpy(at, from, 8);
        std::memcpy(at + n - 8, from + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(at, from, 4);
        std::memcpy(at + n - 4, from + n - 4, 4);
    } else if (n < 4) {
        for (std::size_t i = 0; i < n; ++i) at[i] = from[i];
    } else {
        std::memcpy(at, from, n);
    }
    return at + n;
}

} // namespace

TraceWriter::TraceWriter(std::ostream& out, std::size_t capacity)
    : out_(out), capacity_(capacity), buffer_(std::make_unique_for_overwrite<char[]>(capacity))
{
}

void TraceWriter::Write(const import::TraceLine& line)
{
    const std::size_t size = line.size() + 1;
    if (size > capacity_ - used_) {
        Drain();
        if (size > capacity_) {
            for (std::string_view part : line.parts) out_.write(part.data(), static_cast<std::streamsize>(part.size()));
            out_.put('\n');
            if (!out_) checkOutput(out_);
            return;
        }
    }
    char* at = buffer_.get() + used_;
    for (std::string_view part : line.parts) at = CopyPart(at, part);
    *at = '\n';
    used_ += size;
}

void TraceWriter::Flush()
{
    Drain();
    checkOutput(out_);
}

void TraceWriter::FlushUnchecked()
{
    out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
    out_.flush();
    used_ = 0;
}

void TraceWriter::Drain()
{
    if (used_ == 0) return;
    out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
    used_ = 0;
    if (!out_) checkOutput(out_);
}

} // namespace velmora::cli
