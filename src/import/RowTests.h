#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::import {

class ImportObserver;

// The textual tests the parsers apply to rows. All comparisons are byte-wise and
// case-sensitive.
bool IsSameText(std::string_view t, std::string_view k);
bool ListContains(const std::vector<std::string>& list, std::string_view t);
bool IsSingleWord(std::string_view t);
bool IsStructRow(std::string_view t);
bool IsStructEndRow(std::string_view t);
bool IsUnionRow(std::string_view t);
bool IsOpenBraceRow(std::string_view t);
bool IsUnionEndRow(std::string_view t);
bool IsFlagRow(std::string_view t);

// t without its leading bytes of value 0x20 or less (blanks and control characters).
std::string_view TrimLeadingBlanks(std::string_view t);

// 'this and that': traces the two halves, true when both are in list.
bool IsThisAndThat(std::string_view t, const std::vector<std::string>& list, ImportObserver& trace,
                   std::string& this_string, std::string& that_string);
// 'this, that, and something else': fills names, true when one of them is in list.
bool IsThisThatAndSomethingElse(std::string_view t, const std::vector<std::string>& list,
                                std::vector<std::string>& names);

} // namespace velmora::import
