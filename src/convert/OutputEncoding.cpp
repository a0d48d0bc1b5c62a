#include "convert/OutputEncoding.h"

#include "convert/ConvertedItem.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>
#include <string_view>

namespace velmora::convert {

namespace {

struct Substitute {
    char32_t code;
    const char* text;
};

// Characters of the reference pages that Windows-1252 lacks, in plain text.
constexpr Substitute kSubstitutes[] = {
    {U'\u2264', "<="},    {U'\u2265', ">="},       {U'\u2260', "!="},      {U'\u2248', "~="},    {U'\u2212', "-"},
    {U'\u2010', "-"},     {U'\u2011', "-"},        {U'\u2192', "->"},      {U'\u2190', "<-"},    {U'\u2194', "<->"},
    {U'\u21D2', "=>"},    {U'\u221E', "infinity"}, {U'\u221A', "sqrt"},    {U'\u2032', "'"},     {U'\u2033', "\""},
    {U'\u2044', "/"},     {U'\u2215', "/"},        {U'\u2002', " "},       {U'\u2003', " "},     {U'\u2009', " "},
    {U'\u200A', " "},     {U'\u202F', " "},        {U'\u200B', ""},        {U'\u03B1', "alpha"}, {U'\u03B2', "beta"},
    {U'\u03B3', "gamma"}, {U'\u03B4', "delta"},    {U'\u03B5', "epsilon"}, {U'\u03B8', "theta"}, {U'\u03BB', "lambda"},
    {U'\u03BC', "\xB5"},  {U'\u03C0', "pi"},       {U'\u03C3', "sigma"},   {U'\u03C9', "omega"}, {U'\u0394', "Delta"},
    {U'\u2070', "^0"},    {U'\u2074', "^4"},       {U'\u2075', "^5"},      {U'\u2076', "^6"},    {U'\u2077', "^7"},
    {U'\u2078', "^8"},    {U'\u2079', "^9"},       {U'\u207F', "^n"},      {U'\u2080', "_0"},    {U'\u2081', "_1"},
    {U'\u2082', "_2"},    {U'\u2083', "_3"},       {U'\u2084', "_4"},      {U'\u2085', "_5"},    {U'\u2086', "_6"},
    {U'\u2087', "_7"},    {U'\u2088', "_8"},       {U'\u2089', "_9"},      {U'\u2090', "_a"},    {U'\u2091', "_e"},
    {U'\u2092', "_o"},    {U'\u2093', "_x"},       {U'\u2095', "_h"},      {U'\u2096', "_k"},    {U'\u2097', "_l"},
    {U'\u2098', "_m"},    {U'\u2099', "_n"},       {U'\u209A', "_p"},      {U'\u209B', "_s"},    {U'\u209C', "_t"},
};

// The code point of the UTF-8 character at the start of `text`, and its length.
char32_t Decode(std::string_view text, std::size_t& length)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length > text.size())
        length = text.size();
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        code = (code << 6) | (byte(i) & 0x3F);
    return code;
}

// One iconv descriptor for a whole file.
class Utf8To1252 {
public:
    Utf8To1252() : cd_(iconv_open("WINDOWS-1252", "UTF-8"))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert UTF-8 to Windows-1252");
    }
    ~Utf8To1252() { iconv_close(cd_); }
    Utf8To1252(const Utf8To1252&) = delete;
    Utf8To1252& operator=(const Utf8To1252&) = delete;

    // What Convert could only substitute or replace, listed and counted.
    struct Losses {
        std::string substituted, replaced;
        int substitutedCount = 0, replacedCount = 0;
    };

    void Convert(const std::string& in, std::string& out, Losses& losses)
    {
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        std::string buffer(in.size() + 1, '\0');
        while (left > 0) {
            char* dst = buffer.data();
            std::size_t room = buffer.size();
            const std::size_t done = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer.data(), static_cast<std::size_t>(dst - buffer.data()));
            if (done != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) continue;
            // Not in Windows-1252 (EILSEQ) or cut short (EINVAL): one UTF-8 character.
            std::size_t length = 0;
            const char32_t code = Decode(std::string_view(src, left), length);
            const std::string character(src, length);
            src += length;
            left -= length;
            const Substitute* found = nullptr;
            for (const Substitute& s : kSubstitutes)
                if (s.code == code)
                    found = &s;
            if (found) {
                out += found->text;
                losses.substituted +=
                    (losses.substituted.empty() ? "'" : ", '") + character + "' as '" + found->text + "'";
                ++losses.substitutedCount;
            } else {
                out.push_back('?');
                losses.replaced += (losses.replaced.empty() ? "'" : ", '") + character + "'";
                ++losses.replacedCount;
            }
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }

private:
    iconv_t cd_;
};

} // namespace

std::string EncodeRows(const std::vector<std::string>& rows, bool utf8, ConversionLog& log)
{
    std::string file;
    if (utf8) {
        for (const std::string& row : rows) file += row + "\r\n";
        return file;
    }
    Utf8To1252 converter;
    for (const std::string& row : rows) {
        Utf8To1252::Losses losses;
        converter.Convert(row, file, losses);
        file += "\r\n";
        if (losses.substitutedCount > 0)
            log.Adapted(ItemKind::Character, "output",
                        "row '" + Shortened(row) + "' had " + losses.substituted
                            + ": Windows-1252 lacks them (--utf8 keeps them)",
                        losses.substitutedCount);
        if (losses.replacedCount > 0) {
            log.Count(ItemKind::Character, Outcome::Lost, losses.replacedCount);
            log.LostLine("output",
                         "row '" + Shortened(row) + "': " + losses.replaced
                             + " written as '?': Windows-1252 lacks them and has no form for them (--utf8 keeps them)");
        }
    }
    return file;
}

} // namespace velmora::convert
