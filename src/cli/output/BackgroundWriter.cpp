#include "cli/output/BackgroundWriter.h"

#include <ostream>

#include "cli/Command.h"

namespace velmora::cli {

BackgroundWriter::BackgroundWriter(std::ostream& out) : out_(out) {}

BackgroundWriter::~BackgroundWriter()
{
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundWriter::Start(const char* data, std::size_t size)
{
    Wait();
    {
        const std::lock_guard lock(mutex_);
        data_ = data;
        size_ = size;
        busy_ = true;
    }
    if (thread_.joinable()) changed_.notify_all();
    else thread_ = std::thread(&BackgroundWriter::Run, this);
}

void BackgroundWriter::Wait()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void BackgroundWriter::WaitQuietly() noexcept
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    failure_ = nullptr;
}

void BackgroundWriter::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || stopping_; });
        if (!busy_) return;
        const char* const data = data_;
        const std::size_t size = size_;
        lock.unlock();
        std::exception_ptr failure;
        try {
            out_.write(data, static_cast<std::streamsize>(size));
            if (!out_) checkOutput(out_);  // here: errno is this thread's
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        failure_ = failure;
        busy_ = false;
        changed_.notify_all();
    }
}

} // namespace velmora::cli
