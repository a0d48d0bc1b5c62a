#include "import/ReadAhead.h"

#include <cerrno>

namespace velmora::import {

ReadAhead::ReadAhead(std::FILE* file)
    : file_(file),
      pieces_{std::make_unique_for_overwrite<char[]>(kPieceBytes), std::make_unique_for_overwrite<char[]>(kPieceBytes)},
      thread_(&ReadAhead::Run, this)
{
}

ReadAhead::~ReadAhead()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

std::string_view ReadAhead::Next()
{
    std::unique_lock lock(mutex_);
    if (handedOut_) {
        filled_[(next_ + 1) % 2] = false;  // the caller is done with the piece before
        handedOut_ = false;
        changed_.notify_all();
    }
    if (ended_) return {};
    const std::size_t slot = next_ % 2;
    changed_.wait(lock, [&] { return filled_[slot]; });
    ended_ = last_[slot];
    if (ended_) error_ = errors_[slot];  // only a failure the caller reached counts
    ++next_;
    handedOut_ = true;
    return std::string_view(pieces_[slot].get(), sizes_[slot]);
}

int ReadAhead::Error()
{
    const std::lock_guard lock(mutex_);
    return error_;
}

void ReadAhead::Run()
{
    for (std::size_t k = 0;; ++k) {
        const std::size_t slot = k % 2;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return !filled_[slot] || stopping_; });
            if (stopping_) return;
        }
        const std::size_t got = std::fread(pieces_[slot].get(), 1, kPieceBytes, file_);
        const int error = !std::ferror(file_) ? 0 : errno != 0 ? errno : EIO;  // errno is this thread's
        const bool last = got < kPieceBytes;
        {
            const std::lock_guard lock(mutex_);
            sizes_[slot] = got;
            last_[slot] = last;
            filled_[slot] = true;
            errors_[slot] = error;
        }
        changed_.notify_all();
        if (last) return;
    }
}

} // namespace velmora::import
