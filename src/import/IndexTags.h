#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora::import {

// A tag whose value is not a decimal integer; the program itself only writes
// decimal values, so this means a damaged list entry.
class TagConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "::[name,value]::" written in front of a list entry to bind it to another.
std::string MakeTag(std::string_view name, long long value);
// The same tag appended to text, without a string of its own.
std::string& AppendTag(std::string& text, std::string_view name, long long value);

// Finds the first tag whose inside begins with name, returns its value and sets
// rest to text with every tag up to and including that one removed. Returns -1
// (rest = text) when there is none. Throws TagConversionError for a value that
// is not a decimal integer.
long long ExtractTag(std::string_view name, std::string_view text, std::string& rest);

} // namespace velmora::import
