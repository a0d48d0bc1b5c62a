#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <iosfwd>
#include <mutex>
#include <thread>

namespace velmora::cli {

// Writes one buffer at a time to a stream on a thread of its own: while the
// kernel copies a buffer of trace into the output file, the import fills the
// next one. The thread starts with the first buffer. A write that fails is
// kept and thrown (OutputError) by the next Wait, in the caller's thread.
class BackgroundWriter {
public:
    explicit BackgroundWriter(std::ostream& out);
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Starts writing data, which must stay as it is until the next Wait.
    // Waits for the buffer before.
    void Start(const char* data, std::size_t size);
    // The buffer last started is written and flushed, or throws what went wrong.
    void Wait();
    // The same, leaving a failure to the stream's state.
    void WaitQuietly() noexcept;

private:
    void Run();

    std::ostream& out_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    bool busy_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

} // namespace velmora::cli
