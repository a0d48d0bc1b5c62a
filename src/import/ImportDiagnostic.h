#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::text {
struct EncodingNotes;
}

namespace velmora::import {

// What an error report says, in the terms of the file: why, at which line, and
// the text that line gave.
struct ImportDiagnostic {
    std::string reason;    // the report's message, on one line
    int row = -1;          // the row the report names (at or past the end when the rows ran out)
    std::size_t line = 0;  // the file line of the row the report names; 0 when the rows ran out
    std::string text;      // that row as the import saw it (trimmed, decoded; a long row cut after
                           // 240 bytes, with how many more it had); empty when none
    std::string note; // the definition the end of the file cut short, when the rows ran out; else empty

    bool operator==(const ImportDiagnostic&) const = default;
};

// The form compilers and editors use: "PATH:LINE: error: REASON" (without
// ":LINE" when the report names no row), then the row's text on its own line,
// indented, then "PATH: note: NOTE" when there is a note. Every line ends with
// a line feed.
std::string FormatDiagnostic(std::string_view path, const ImportDiagnostic& diagnostic);

// What the reader of a file should know about its encoding, in the same form:
// an error for a UTF-16 file, a warning for a file read as Windows-1252 though
// it holds UTF-8 too. Empty when nothing.
std::string FormatEncodingNotes(std::string_view path, const text::EncodingNotes& notes);

} // namespace velmora::import
