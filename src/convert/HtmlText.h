#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::convert {

// The reference pages mix markdown with HTML fragments; the layout wants plain
// one-line text.

// "&amp;", "&#160;", "&#x2014;" as UTF-8; an unknown entity stays as written.
std::string DecodeEntity(std::string_view entity);

// Tags removed, entities decoded, every run of white space one blank, trimmed.
std::string PlainText(std::string_view html);

// Every run of white space (line breaks included) one blank, trimmed.
std::string CollapseWhitespace(std::string_view text);

// The rows of the HTML tables in a fragment, each a list of plain-text cells
// (header cells included).
std::vector<std::vector<std::string>> HtmlTableRows(std::string_view html);

} // namespace velmora::convert
