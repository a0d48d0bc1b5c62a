#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::convert {

// One block of a reference page's body, its text already plain (HTML and
// markdown markup removed, white space collapsed).
struct PageBlock {
    enum class Kind { Heading, Paragraph, Code, Table, List };
    Kind kind = Kind::Paragraph;
    int level = 0;                                // headings only
    std::string text;                             // heading, paragraph, code (verbatim), list items joined
    std::vector<std::vector<std::string>> rows;   // tables only
};

// A reference page: its front matter as flat key/value texts (lists joined with
// ", ") and its body as blocks in page order.
struct Page {
    std::map<std::string, std::string> frontMatter;
    std::vector<PageBlock> blocks;
    // Why the front matter was read key by key, when a YAML parser rejects it
    // (some pages run two keys together on one line); empty otherwise.
    std::string frontMatterNote;

    std::string Field(const std::string& key) const;
};

class PageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws PageError when the page has no front matter.
Page ReadPage(std::string_view text);

} // namespace velmora::convert
