#include "cli/output/TraceWriter.h"

#include <cstring>
#include <ostream>

#include "cli/Command.h"
#include "text/TraceText.h"

namespace velmora::cli {

TraceWriter::TraceWriter(std::ostream& out, std::size_t capacity)
    : out_(out),
      capacity_(capacity),
      buffer_(std::make_unique_for_overwrite<char[]>(capacity)),
      spare_(std::make_unique_for_overwrite<char[]>(capacity)),
      background_(out)
{
}

void TraceWriter::Write(const import::TraceLine& line)
{
    // One pass: each part is copied while there is room for it and a newline.
    char* at = buffer_.get() + used_;
    const char* const end = buffer_.get() + capacity_;
    for (std::size_t i = 0; i < line.parts.size(); ++i) {
        const std::string_view part = line.parts[i];
        if (part.size() >= static_cast<std::size_t>(end - at)) {
            WriteWithoutRoom(line.parts.subspan(i), static_cast<std::size_t>(at - buffer_.get()));
            return;
        }
        at = text::CopyText(at, part);
    }
    if (at == end) {
        WriteWithoutRoom({}, capacity_);
        return;
    }
    *at = '\n';
    used_ = static_cast<std::size_t>(at + 1 - buffer_.get());
}

void TraceWriter::WriteWithoutRoom(std::span<const std::string_view> rest, std::size_t copied)
{
    // The line began at used_; the bytes up to copied are in the buffer.
    std::size_t size = copied - used_ + 1;
    for (std::string_view part : rest) size += part.size();
    if (size <= capacity_) {
        // The lines before go out; this one moves to the front of the other
        // buffer, still whole (the writer reads only the bytes before it).
        const std::size_t begun = copied - used_;
        const char* const line = buffer_.get() + used_;
        HandOver();
        std::memmove(buffer_.get(), line, begun);
        char* at = buffer_.get() + begun;
        for (std::string_view part : rest)
            at = text::CopyText(at, part);
        *at = '\n';
        used_ = size;
        return;
    }
    // Longer than the buffer: to the stream part by part, never joined.
    background_.Wait();
    out_.write(buffer_.get(), static_cast<std::streamsize>(copied));
    used_ = 0;
    for (std::string_view part : rest) out_.write(part.data(), static_cast<std::streamsize>(part.size()));
    out_.put('\n');
    if (!out_) checkOutput(out_);
}

void TraceWriter::Flush()
{
    // In this thread, so that a failure is known when Flush returns.
    background_.Wait();
    out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
    used_ = 0;
    checkOutput(out_);
}

void TraceWriter::FlushUnchecked()
{
    background_.WaitQuietly();
    out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
    out_.flush();
    used_ = 0;
}

void TraceWriter::HandOver()
{
    if (used_ == 0) return;
    background_.Start(buffer_.get(), used_);
    std::swap(buffer_, spare_);
    used_ = 0;
}

} // namespace velmora::cli
