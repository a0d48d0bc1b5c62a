#include "import/IndexTags.h"

#include <charconv>

#include "text/TraceText.h"

namespace velmora::import {

namespace {

constexpr std::string_view kTagOpen = "::[";
constexpr std::string_view kTagClose = "]::";

long long ToDecimal(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw TagConversionError(text::Concat("'", text, "' is not a valid integer value"));
    return value;
}

std::size_t Linked(std::string_view tag, const char* target, std::string_view entry, std::size_t count,
                   std::string& rest)
{
    const long long position = ExtractTag(tag, entry, rest);
    if (position < 0 || static_cast<unsigned long long>(position) >= count)
        throw BrokenLinkError(tag, target);
    return static_cast<std::size_t>(position);
}

} // namespace

std::string MakeTag(std::string_view name, long long value)
{
    std::string tag;
    return AppendTag(tag, name, value);
}

std::string& AppendTag(std::string& text, std::string_view name, long long value)
{
    return text::AppendConcat(text, kTagOpen, name, ",", text::Decimal(value), kTagClose);
}

long long ExtractTag(std::string_view name, std::string_view text, std::string& rest)
{
    // Worked on in rest itself: a buffer the caller keeps costs no allocation a record.
    rest.assign(text);
    for (;;) {
        const std::size_t open = rest.find(kTagOpen);
        const std::size_t close = rest.find(kTagClose);
        if (open == std::string::npos || close == std::string::npos || close < open)
            return -1;
        const std::string_view inside =
            std::string_view(rest).substr(open + kTagOpen.size(), close - open - kTagOpen.size());
        const std::size_t comma = inside.find(',');
        const bool found = inside.starts_with(name) && comma != std::string_view::npos;
        const long long value = found ? ToDecimal(inside.substr(comma + 1)) : -1;
        rest.erase(open, close + kTagClose.size() - open);
        if (found)
            return value;
    }
}

BrokenLinkError::BrokenLinkError(std::string_view tag, const char* target)
    : std::runtime_error(text::Concat("an entry has no valid ", tag, " tag")), target_(target)
{
}

std::size_t MemberLink(std::string_view entry, std::size_t structureCount, std::string& description)
{
    return Linked(StructureIndexTag, "structure", entry, structureCount, description);
}

FlagLinks FlagLink(std::string_view entry, std::size_t structureCount, std::size_t memberCount,
                   std::string& description)
{
    const std::size_t structure = Linked(FlagStructureIndexTag, "structure", entry, structureCount, description);
    return {structure, Linked(FlagMemberIndexTag, "member", entry, memberCount, description)};
}

} // namespace velmora::import
