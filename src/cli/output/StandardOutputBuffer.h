#pragma once

#include <atomic>
#include <streambuf>
#include <vector>

namespace velmora::cli {

// velmora-cli's standard output: a buffer on file descriptor 1 that keeps the
// reason its first write failed. errno cannot tell it by the time a command
// checks its output: the catalogue's file operations have set it many times
// since, and a full disk would be blamed on a missing journal file. After a
// failure every further write fails at once.
class StandardOutputBuffer : public std::streambuf {
public:
    StandardOutputBuffer();
    ~StandardOutputBuffer() override;
    StandardOutputBuffer(const StandardOutputBuffer&) = delete;
    StandardOutputBuffer& operator=(const StandardOutputBuffer&) = delete;

    // errno of the first write that failed; 0 while none has.
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

private:
    bool drain();
    bool writeAll(const char* data, std::size_t size);

    std::vector<char> buffer_;
    std::atomic<int> error_ = 0;   // set by whichever thread writes
};

} // namespace velmora::cli
