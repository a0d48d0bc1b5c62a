#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

#include "text/RowStore.h"

namespace velmora::text {

// A file that cannot be opened or read; the message names the file.
class ImportFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What reading a text found out about its encoding that its reader should hear.
struct EncodingNotes {
    bool utf16 = false; // it starts with a UTF-16 byte-order mark
    std::size_t strayByteLine = 0; // it holds UTF-8 and bytes that are not, so it was read as
                                   // Windows-1252: the line of the first such byte; else 0

    bool operator==(const EncodingNotes&) const = default;
};

// Reads the whole file and turns it into trimmed, non-empty rows (see
// RowSplitter). Throws ImportFileError. notes, when given, gets the splitter's.
RowStore LoadRowStore(const std::string& path, EncodingNotes* notes = nullptr);
// The same for text read from a stream (standard input); name is what the
// message calls it.
RowStore LoadRowStore(std::istream& in, const std::string& name, EncodingNotes* notes = nullptr);

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
    const EncodingNotes& Notes() const { return notes_; } // complete after FinishStore

private:
    bool Split(std::string_view bytes);
    void Extend(std::string_view piece);  // more of the line being read
    void CloseRow();                      // the line ends: trimmed, kept unless empty
    void CheckEncoding(std::string_view row); // row is the next row to be stored

    RowStore rows_;
    std::string head_;        // the first bytes, until they show whether a byte-order mark starts the text
    bool afterCr_ = false;    // the last piece ended with a CR: an LF that opens the next one is its pair
    std::size_t expected_;    // the file's size, or 0 when unknown
    std::size_t fed_ = 0;     // bytes split so far
    std::string lead_; // the text's first two bytes, for a UTF-16 byte-order mark
    bool validUtf8_ = true;
    bool sawMultibyte_ = false; // a valid UTF-8 sequence of more than one byte
    std::size_t firstInvalidRow_ = 0; // while !validUtf8_
    EncodingNotes notes_;
    bool ended_ = false;
    bool started_ = false;
};

struct Utf8Scan {
    bool valid = true; // every byte belongs to a valid UTF-8 sequence
    bool multibyte = false; // a valid sequence of more than one byte was seen
};
// Stops at the first invalid byte when untilInvalid, else once both are known.
Utf8Scan ScanUtf8(std::string_view bytes, bool untilInvalid);
bool IsValidUtf8(std::string_view bytes);

} // namespace velmora::text
