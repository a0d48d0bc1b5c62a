#include "convert/OutputEncoding.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace velmora::convert {

namespace {

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

    // Returns the number of characters replaced by '?'.
    int Convert(const std::string& in, std::string& out)
    {
        int replaced = 0;
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
            // Not in Windows-1252 (EILSEQ) or cut short (EINVAL): skip one UTF-8 character.
            out.push_back('?');
            ++replaced;
            std::size_t skip = 1;
            while (skip < left && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
            src += skip;
            left -= skip;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return replaced;
    }

private:
    iconv_t cd_;
};

} // namespace

std::string EncodeRows(const std::vector<std::string>& rows, bool utf8, std::vector<std::string>& log)
{
    std::string file;
    if (utf8) {
        for (const std::string& row : rows) file += row + "\r\n";
        return file;
    }
    Utf8To1252 converter;
    for (const std::string& row : rows) {
        if (const int replaced = converter.Convert(row, file); replaced > 0)
            log.push_back("output: row '" + row + "': " + std::to_string(replaced) +
                          " character(s) Windows-1252 lacks written as '?' (--utf8 keeps them)");
        file += "\r\n";
    }
    return file;
}

} // namespace velmora::convert
