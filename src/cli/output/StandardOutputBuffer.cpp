#include "cli/output/StandardOutputBuffer.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace velmora::cli {

namespace {

constexpr std::size_t BufferSize = 64 * 1024;

} // namespace

StandardOutputBuffer::StandardOutputBuffer() : buffer_(BufferSize)
{
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

StandardOutputBuffer::~StandardOutputBuffer()
{
    drain();
}

bool StandardOutputBuffer::writeAll(const char* data, std::size_t size)
{
    if (error_ != 0)
        return false;
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error_ = written < 0 ? errno : EIO;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool StandardOutputBuffer::drain()
{
    const bool written = writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return written;
}

StandardOutputBuffer::int_type StandardOutputBuffer::overflow(int_type c)
{
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize StandardOutputBuffer::xsputn(const char* data, std::streamsize size)
{
    const auto length = static_cast<std::size_t>(size);
    if (length <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), data, length);
        pbump(static_cast<int>(size));
        return size;
    }
    // A large write (the trace's buffers) goes out as it is, without a copy.
    if (!drain() || !writeAll(data, length))
        return 0;
    return size;
}

int StandardOutputBuffer::sync()
{
    return drain() ? 0 : -1;
}

} // namespace velmora::cli
