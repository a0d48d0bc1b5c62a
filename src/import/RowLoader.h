#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::import {

// A file that cannot be opened or read; the message names the file.
class ImportFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the whole file and turns it into trimmed, non-empty rows (see
// SplitIntoRows). Text that is not valid UTF-8 is decoded as Windows-1252.
// Throws ImportFileError.
std::vector<std::string> LoadRows(const std::string& path);

// A NUL byte ends the text; lines end at CR, LF or CR LF; bytes of value 0x20
// or less are trimmed at both ends; empty rows are dropped.
std::vector<std::string> SplitIntoRows(std::string_view text);

bool IsValidUtf8(std::string_view bytes);
// Valid UTF-8 comes back as it is; anything else is read as Windows-1252.
std::string DecodeToUtf8(std::string bytes);

} // namespace velmora::import
