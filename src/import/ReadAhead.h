#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

namespace velmora::import {

// Reads a file in pieces on a thread of its own, one piece ahead of the
// caller: the kernel's copy of a big file into memory overlaps the splitting
// of the piece before.
class ReadAhead {
public:
    static constexpr std::size_t kPieceBytes = std::size_t(256) << 10;

    explicit ReadAhead(std::FILE* file);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next piece, valid until the next call; empty at the end of the
    // file or once a read failed.
    std::string_view Next();
    // The errno of the failed read that ended the pieces handed out, or 0.
    int Error();

private:
    void Run();

    std::FILE* file_;
    std::unique_ptr<char[]> pieces_[2];
    std::size_t sizes_[2] = {0, 0};
    bool filled_[2] = {false, false};
    bool last_[2] = {false, false};  // the file ended with this piece
    int errors_[2] = {0, 0};         // ... because a read failed
    bool stopping_ = false;
    int error_ = 0;
    std::size_t next_ = 0;         // the piece Next hands out next
    bool handedOut_ = false;       // the piece before it is still the caller's
    bool ended_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
};

} // namespace velmora::import
