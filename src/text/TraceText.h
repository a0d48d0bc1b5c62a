#pragma once

#include <charconv>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace velmora::text {

// The decimal text of an integer, without a heap allocation.
class Decimal {
public:
    explicit Decimal(long long value)
    {
        length_ = static_cast<std::size_t>(std::to_chars(digits_, digits_ + sizeof digits_, value).ptr - digits_);
    }
    operator std::string_view() const { return {digits_, length_}; }

private:
    char digits_[24];
    std::size_t length_;
};

// Joins the parts into one string with a single allocation: trace lines are
// the hot path of an import.
template <typename... Parts>
std::string Concat(const Parts&... parts)
{
    const std::string_view views[] = {std::string_view(parts)...};
    std::size_t total = 0;
    for (std::string_view v : views) total += v.size();
    std::string text;
    text.reserve(total);
    for (std::string_view v : views) text.append(v);
    return text;
}

// Copies text to at and returns its end. Most texts of a trace are a few
// bytes or a phrase: up to 64 bytes take two overlapping fixed-size copies
// each way instead of a call to memcpy.
inline char* CopyText(char* at, std::string_view text)
{
    const char* from = text.data();
    const std::size_t n = text.size();
    if (n > 64) {
        std::memcpy(at, from, n);
    } else if (n > 32) {
        std::memcpy(at, from, 32);
        std::memcpy(at + n - 32, from + n - 32, 32);
    } else if (n > 16) {
        std::memcpy(at, from, 16);
        std::memcpy(at + n - 16, from + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(at, from, 8);
        std::memcpy(at + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(at, from, 4);
        std::memcpy(at + n - 4, from + n - 4, 4);
    } else {
        for (std::size_t i = 0; i < n; ++i) at[i] = from[i];
    }
    return at + n;
}

// Appends the parts to text, growing it once. No part may view text itself.
template <typename... Parts>
std::string& AppendConcat(std::string& text, const Parts&... parts)
{
    const std::string_view views[] = {std::string_view(parts)...};
    const std::size_t start = text.size();
    std::size_t total = start;
    for (std::string_view v : views) total += v.size();
    text.resize(total);
    char* at = text.data() + start;
    for (std::string_view v : views) at = CopyText(at, v);
    return text;
}

// Sets text to the parts joined, keeping its buffer: for captions and entries
// that change with every row. No part may view text itself.
template <typename... Parts>
std::string& AssignConcat(std::string& text, const Parts&... parts)
{
    text.clear();
    return AppendConcat(text, parts...);
}

} // namespace velmora::text
