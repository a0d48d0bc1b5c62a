#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <span>
#include <string_view>

#include "cli/output/BackgroundWriter.h"
#include "import/ImportObserver.h"

namespace velmora::cli {

// Trace lines to a stream through large buffers: a line costs a copy of its
// parts, not a stream call, and the stream sees a few big writes. A full
// buffer is written by a BackgroundWriter while the other one fills. Checked:
// a failed write throws OutputError (at the latest by the next Flush). A line
// longer than the buffer goes to the stream part by part, never joined.
class TraceWriter {
public:
    explicit TraceWriter(std::ostream& out, std::size_t capacity = std::size_t(1) << 20);

    // The line and its newline.
    void Write(const import::TraceLine& line);
    // Everything written so far reaches the stream and is flushed, or throws.
    void Flush();
    // The same without the check, once the command has failed anyway.
    void FlushUnchecked();

private:
    void HandOver();  // the buffer to the writer thread; the other one fills meanwhile
    // The rest of a line that does not fit in what is left of the buffer.
    void WriteWithoutRoom(std::span<const std::string_view> rest, std::size_t copied);

    std::ostream& out_;
    std::size_t capacity_;
    std::size_t used_ = 0;
    std::unique_ptr<char[]> buffer_;  // being filled
    std::unique_ptr<char[]> spare_;   // being written, or free
    BackgroundWriter background_;     // destroyed first: done with spare_ before it goes
};

} // namespace velmora::cli
