#include "convert/HtmlText.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace velmora::convert {

namespace {

void AppendUtf8(std::string& out, unsigned long c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

struct NamedEntity {
    std::string_view name;
    unsigned long code;
};

// The named entities the reference pages use.
constexpr NamedEntity kEntities[] = {
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},    {"apos", '\''},
    {"nbsp", 0xA0},    {"copy", 0xA9},    {"reg", 0xAE},     {"trade", 0x2122}, {"ndash", 0x2013},
    {"mdash", 0x2014}, {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"ldquo", 0x201C}, {"rdquo", 0x201D},
    {"hellip", 0x2026}, {"times", 0xD7},  {"deg", 0xB0},     {"plusmn", 0xB1}, {"micro", 0xB5},
    {"eacute", 0xE9},  {"egrave", 0xE8},  {"auml", 0xE4},    {"ouml", 0xF6},   {"uuml", 0xFC},
    {"bull", 0x2022},  {"middot", 0xB7},  {"rarr", 0x2192},  {"larr", 0x2190}, {"le", 0x2264},
    {"ge", 0x2265},    {"ne", 0x2260},
};

bool IsBlank(unsigned char c)
{
    return c <= 0x20;
}

std::string LowerAscii(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Position of the next tag named `name` ("<td", "<td>", "<td class=..."), from `from`.
std::size_t FindTag(const std::string& lower, std::string_view name, std::size_t from)
{
    const std::string open = "<" + std::string(name);
    for (std::size_t at = lower.find(open, from); at != std::string::npos; at = lower.find(open, at + 1)) {
        const std::size_t after = at + open.size();
        if (after >= lower.size() || lower[after] == '>' || IsBlank(lower[after]) || lower[after] == '/')
            return at;
    }
    return std::string::npos;
}

} // namespace

std::string DecodeEntity(std::string_view entity)
{
    if (entity.size() < 3 || entity.front() != '&' || entity.back() != ';') return std::string(entity);
    const std::string_view inner = entity.substr(1, entity.size() - 2);
    std::string out;
    if (inner.front() == '#') {
        const bool hex = inner.size() > 1 && (inner[1] == 'x' || inner[1] == 'X');
        const std::string digits(inner.substr(hex ? 2 : 1));
        if (digits.empty() || digits.size() > 7) return std::string(entity);
        char* end = nullptr;
        const unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
        if (*end != '\0' || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::string(entity);
        AppendUtf8(out, code);
        return out;
    }
    for (const NamedEntity& named : kEntities) {
        if (named.name == inner) {
            AppendUtf8(out, named.code);
            return out;
        }
    }
    return std::string(entity);
}

std::string CollapseWhitespace(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (const char c : text) {
        if (IsBlank(static_cast<unsigned char>(c))) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out.push_back(' ');
        pendingBlank = false;
        out.push_back(c);
    }
    // A no-break space is a blank to the reader of one row, too.
    for (std::size_t at = out.find("\xC2\xA0"); at != std::string::npos; at = out.find("\xC2\xA0", at))
        out.replace(at, 2, " ");
    if (out.find("  ") != std::string::npos || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
        return CollapseWhitespace(out);
    return out;
}

std::string PlainText(std::string_view html)
{
    std::string text;
    text.reserve(html.size());
    for (std::size_t i = 0; i < html.size();) {
        const char c = html[i];
        if (c == '<') {
            const std::size_t close = html.find('>', i);
            if (close == std::string_view::npos) {
                text.append(html.substr(i));
                break;
            }
            // A tag separates words where the page would show a break.
            const std::string tag = LowerAscii(html.substr(i, std::min<std::size_t>(close - i, 4)));
            if (tag.starts_with("<br") || tag.starts_with("<p") || tag.starts_with("</p") || tag.starts_with("<li") ||
                tag.starts_with("<td") || tag.starts_with("<th") || tag.starts_with("<div") || tag.starts_with("</d"))
                text.push_back(' ');
            i = close + 1;
        } else if (c == '&') {
            const std::size_t semi = html.find(';', i);
            if (semi != std::string_view::npos && semi - i <= 10) {
                text += DecodeEntity(html.substr(i, semi - i + 1));
                i = semi + 1;
            } else {
                text.push_back(c);
                ++i;
            }
        } else {
            text.push_back(c);
            ++i;
        }
    }
    return CollapseWhitespace(text);
}

std::vector<std::vector<std::string>> HtmlTableRows(std::string_view html)
{
    const std::string source(html);
    const std::string lower = LowerAscii(html);
    std::vector<std::vector<std::string>> rows;
    for (std::size_t tr = FindTag(lower, "tr", 0); tr != std::string::npos;) {
        const std::size_t next = FindTag(lower, "tr", tr + 3);
        const std::size_t rowEnd = std::min(lower.find("</tr", tr), next);
        std::vector<std::string> cells;
        std::size_t at = tr + 3;
        while (true) {
            const std::size_t td = std::min(FindTag(lower, "td", at), FindTag(lower, "th", at));
            if (td == std::string::npos || td >= rowEnd) break;
            const std::size_t open = lower.find('>', td);
            if (open == std::string::npos || open >= rowEnd) break;
            const std::size_t cellEnd =
                std::min({lower.find("</t", open), FindTag(lower, "td", open), FindTag(lower, "th", open), rowEnd});
            cells.push_back(PlainText(std::string_view(source).substr(open + 1, cellEnd - open - 1)));
            at = cellEnd;
        }
        if (!cells.empty()) rows.push_back(std::move(cells));
        tr = next;
    }
    return rows;
}

} // namespace velmora::convert
