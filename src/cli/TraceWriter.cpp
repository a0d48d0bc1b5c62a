#include "cli/TraceWriter.h"

#include <algorithm>
#include <ostream>

#include "cli/Command.h"

namespace velmora::cli {

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
    for (std::string_view part : line.parts) at = std::copy(part.begin(), part.end(), at);
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
