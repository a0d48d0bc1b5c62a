#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

#include "import/RowStore.h"

namespace velmora::import {

// A file that cannot be opened or read; the message names the file.
class ImportFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the whole file and turns it into trimmed, non-empty rows (see
// RowSplitter). Throws ImportFileError.
RowStore LoadRowStore(const std::string& path);
// The same for text read from a stream (standard input); name is what the
// message calls it.
RowStore LoadRowStore(std::istream& in, const std::string& name);

// Turns text, fed in pieces of any size, into rows: a NUL byte ends the text;
// lines end at CR, LF or CR LF; bytes of value 0x20 or less are trimmed at
// both ends; empty rows are dropped, and each row keeps the number of its
// line. Text that is not valid UTF-8 as a whole is decoded as Windows-1252.
class RowSplitter {
public:
    explicit RowSplitter(std::size_t expectedBytes = 0);

    // False once a NUL has ended the text: what follows is ignored.
    bool Feed(std::string_view bytes);
    RowStore FinishStore();

private:
    bool Split(std::string_view bytes);
    void Extend(std::string_view piece);  // more of the line being read
    void CloseRow();                      // the line ends: trimmed, kept unless empty

    RowStore rows_;
    std::string head_;        // the first bytes, until they show whether a byte-order mark starts the text
    bool afterCr_ = false;    // the last piece ended with a CR: an LF that opens the next one is its pair
    std::size_t expected_;    // the file's size, or 0 when unknown
    std::size_t fed_ = 0;     // bytes split so far
    bool validUtf8_ = true;
    bool ended_ = false;
    bool started_ = false;
};

bool IsValidUtf8(std::string_view bytes);

} // namespace velmora::import
