#pragma once

#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::import {

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

// Sets text to the parts joined, keeping its buffer: for captions that change
// with every row.
template <typename... Parts>
const std::string& AssignConcat(std::string& text, const Parts&... parts)
{
    text.clear();
    (text.append(std::string_view(parts)), ...);
    return text;
}

} // namespace velmora::import
