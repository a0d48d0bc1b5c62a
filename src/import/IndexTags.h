#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora::import {

// The tags the parsers write in front of a list entry, naming the item it
// belongs to by its position in the import's lists. Structures: a member's
// description names its structure, a flag's its structure and then its member.
inline constexpr std::string_view StructureIndexTag = "StructureIndex";
inline constexpr std::string_view FlagStructureIndexTag = "FlagStructureIndex";
inline constexpr std::string_view FlagMemberIndexTag = "FlagMemberIndex";
// Interfaces: a parameter's description names its interface, a flag's its
// interface and then its parameter.
inline constexpr std::string_view InterfaceIndexTag = "InterfaceIndex";
inline constexpr std::string_view FlagInterfaceIndexTag = "FlagInterfaceIndex";
inline constexpr std::string_view FlagParameterIndexTag = "FlagParameterIndex";

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

// A tag of a structures list entry that is missing or names no item of the
// import: a damaged entry. what(): "an entry has no valid TAG tag".
class BrokenLinkError : public std::runtime_error {
public:
    BrokenLinkError(std::string_view tag, const char* target);
    // What the tag should name: "structure" or "member".
    const char* Target() const { return target_; }

private:
    const char* target_;
};

// The structure a Member_Descriptions entry belongs to, by its position below
// structureCount; description gets the entry without its tag. Throws
// BrokenLinkError, or TagConversionError as ExtractTag does.
std::size_t MemberLink(std::string_view entry, std::size_t structureCount, std::string& description);

struct FlagLinks {
    std::size_t structure;
    std::size_t member;
};
// The structure and the member a Flag_Descriptions entry belongs to, checked
// in that order; description as with MemberLink.
FlagLinks FlagLink(std::string_view entry, std::size_t structureCount, std::size_t memberCount,
                   std::string& description);

} // namespace velmora::import
