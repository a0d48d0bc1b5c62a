#include "convert/PageReader.h"

#include <cctype>
#include <md4c.h>
#include <yaml-cpp/yaml.h>

#include "convert/HtmlText.h"

namespace velmora::convert {

namespace {

// Splits "---\nYAML\n---\nbody" into its two parts.
bool SplitFrontMatter(std::string_view text, std::string_view& yaml, std::string_view& body)
{
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (!text.starts_with("---")) return false;
    const std::size_t firstEnd = text.find('\n');
    if (firstEnd == std::string_view::npos) return false;
    for (std::size_t at = firstEnd + 1; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line == "---") {
            yaml = text.substr(firstEnd + 1, at - firstEnd - 1);
            body = end < text.size() ? text.substr(end + 1) : std::string_view();
            return true;
        }
        at = end + 1;
    }
    return false;
}

std::string ScalarText(const YAML::Node& node)
{
    if (node.IsScalar()) return node.as<std::string>();
    if (node.IsSequence()) {
        std::string joined;
        for (const YAML::Node& item : node) {
            if (!joined.empty()) joined += ", ";
            joined += ScalarText(item);
        }
        return joined;
    }
    return {};
}

// The pages write pointer type names unquoted ("req.typenames: *LPDDSURFACEDESC2, ..."),
// which YAML would take for an alias: such plain values get quotes.
std::string QuotePointerValues(std::string_view yaml)
{
    std::string out;
    std::size_t at = 0;
    while (at < yaml.size()) {
        std::size_t end = yaml.find('\n', at);
        if (end == std::string_view::npos) end = yaml.size();
        std::string line(yaml.substr(at, end - at));
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos && !line.starts_with(" ") && !line.starts_with("-") && colon + 2 < line.size() &&
            (line[colon + 2] == '*' || line[colon + 2] == '&')) {
            std::string value = line.substr(colon + 2);
            if (value.ends_with('\r')) value.pop_back();
            for (std::size_t q = value.find('\''); q != std::string::npos; q = value.find('\'', q + 2)) value.insert(q, "'");
            line = line.substr(0, colon + 2) + "'" + value + "'";
        }
        out += line + "\n";
        at = end + 1;
    }
    return out;
}

std::string Unquoted(std::string value)
{
    if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

// The front matter line by line: "key: value", list items ("- x") and indented
// continuations joined to the key before them. Enough for the keys the
// converter reads, where a YAML parser gives up on the whole block.
std::map<std::string, std::string> ReadKeyByKey(std::string_view yaml)
{
    std::map<std::string, std::string> fields;
    std::string key;
    std::size_t at = 0;
    while (at < yaml.size()) {
        std::size_t end = yaml.find('\n', at);
        if (end == std::string_view::npos)
            end = yaml.size();
        const std::string_view line = yaml.substr(at, end - at);
        at = end + 1;
        const std::string text = CollapseWhitespace(line);
        if (text.empty())
            continue;
        const std::size_t colon = line.find(':');
        if (line.front() != ' ' && line.front() != '-' && colon != std::string_view::npos) {
            key = CollapseWhitespace(line.substr(0, colon));
            fields[key] = Unquoted(CollapseWhitespace(line.substr(colon + 1)));
        } else if (!key.empty()) {
            std::string& value = fields[key];
            const bool item = text.starts_with("- ");
            value += value.empty() ? "" : item ? ", " : " ";
            value += Unquoted(item ? text.substr(2) : text);
        }
    }
    return fields;
}

std::map<std::string, std::string> ReadFrontMatter(std::string_view yaml, std::string& note)
{
    std::map<std::string, std::string> fields;
    try {
        const YAML::Node root = YAML::Load(QuotePointerValues(yaml));
        if (!root.IsMap()) throw PageError("the front matter is not a list of keys");
        for (const auto& entry : root) fields[entry.first.as<std::string>()] = CollapseWhitespace(ScalarText(entry.second));
    } catch (const YAML::Exception& error) {
        // The page's line: its first line is the opening "---".
        note = "the front matter is not YAML (line " + std::to_string(error.mark.line + 2) + ": " + error.msg
               + "); read key by key";
        fields = ReadKeyByKey(yaml);
    }
    return fields;
}

// Collects md4c's callbacks into blocks. Text goes to the innermost open leaf
// (heading, paragraph, code, table cell or list item).
class BlockCollector {
public:
    std::vector<PageBlock> blocks;

    int Enter(MD_BLOCKTYPE type, void* detail)
    {
        switch (type) {
        case MD_BLOCK_H:
            Open(PageBlock::Kind::Heading, static_cast<int>(static_cast<MD_BLOCK_H_DETAIL*>(detail)->level));
            break;
        case MD_BLOCK_P:
            if (listDepth_ == 0 && !inCell_) Open(PageBlock::Kind::Paragraph);
            break;
        case MD_BLOCK_CODE: Open(PageBlock::Kind::Code); break;
        case MD_BLOCK_HTML: Open(PageBlock::Kind::Paragraph); html_ = true; break;
        case MD_BLOCK_UL:
        case MD_BLOCK_OL:
            if (listDepth_++ == 0) Open(PageBlock::Kind::List);
            break;
        case MD_BLOCK_LI:
            if (!text_.empty()) text_ += "; ";
            break;
        case MD_BLOCK_TABLE:
            Open(PageBlock::Kind::Table);
            break;
        case MD_BLOCK_TR: current_.rows.emplace_back(); break;
        case MD_BLOCK_TH:
        case MD_BLOCK_TD:
            inCell_ = true;
            text_.clear();
            break;
        default: break;
        }
        return 0;
    }

    int Leave(MD_BLOCKTYPE type)
    {
        switch (type) {
        case MD_BLOCK_H:
        case MD_BLOCK_CODE:
            Close();
            break;
        case MD_BLOCK_P:
            if (listDepth_ == 0 && !inCell_) Close();
            else text_ += ' ';
            break;
        case MD_BLOCK_HTML: CloseHtml(); break;
        case MD_BLOCK_UL:
        case MD_BLOCK_OL:
            if (--listDepth_ == 0) Close();
            break;
        case MD_BLOCK_TH:
        case MD_BLOCK_TD:
            if (!current_.rows.empty()) current_.rows.back().push_back(CollapseWhitespace(text_));
            text_.clear();
            inCell_ = false;
            break;
        case MD_BLOCK_TABLE: Close(); break;
        default: break;
        }
        return 0;
    }

    int Text(MD_TEXTTYPE type, std::string_view text)
    {
        switch (type) {
        case MD_TEXT_ENTITY: text_ += DecodeEntity(text); break;
        case MD_TEXT_BR:
        case MD_TEXT_SOFTBR: text_ += (current_.kind == PageBlock::Kind::Code ? '\n' : ' '); break;
        case MD_TEXT_NULLCHAR: break;
        case MD_TEXT_HTML:
            // Inline tags (<b>, <a href>) vanish; a whole HTML block is kept raw for CloseHtml.
            if (html_) text_.append(text);
            else if (text.starts_with("<br") || text.starts_with("<BR")) text_ += ' ';
            break;
        default: text_.append(text); break;
        }
        return 0;
    }

private:
    void Open(PageBlock::Kind kind, int level = 0)
    {
        current_ = PageBlock{kind, level, {}, {}};
        text_.clear();
        open_ = true;
    }

    void Close()
    {
        if (!open_) return;
        current_.text = current_.kind == PageBlock::Kind::Code ? text_ : CollapseWhitespace(text_);
        const bool empty = current_.kind == PageBlock::Kind::Table ? current_.rows.empty()
                           : current_.kind == PageBlock::Kind::Heading ? false
                                                                        : current_.text.empty();
        if (!empty) blocks.push_back(std::move(current_));
        open_ = false;
        text_.clear();
    }

    // A raw HTML block is a table, a list or a plain paragraph (a note, say).
    void CloseHtml()
    {
        html_ = false;
        const std::string raw = text_;
        const auto rows = HtmlTableRows(raw);
        if (!rows.empty()) {
            current_.kind = PageBlock::Kind::Table;
            current_.rows = rows;
            text_.clear();
            // Text after the table inside the same HTML block (no blank line between)
            // is a paragraph of its own.
            std::string lower = raw;
            for (char& c : lower)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            const std::size_t end = lower.rfind("</table>");
            const std::string after = end == std::string::npos ? std::string() : PlainText(raw.substr(end + 8));
            Close();
            if (!after.empty()) {
                Open(PageBlock::Kind::Paragraph);
                text_ = after;
                Close();
            }
            return;
        }
        if (raw.find("<li") != std::string::npos || raw.find("<LI") != std::string::npos)
            current_.kind = PageBlock::Kind::List;
        text_ = PlainText(raw);
        Close();
    }

    PageBlock current_;
    std::string text_;
    bool open_ = false;
    bool html_ = false;
    bool inCell_ = false;
    int listDepth_ = 0;
};

std::vector<PageBlock> ReadBody(std::string_view body)
{
    BlockCollector collector;
    MD_PARSER parser{};
    parser.flags = MD_FLAG_TABLES | MD_FLAG_NOINDENTEDCODEBLOCKS | MD_FLAG_STRIKETHROUGH;
    parser.enter_block = [](MD_BLOCKTYPE type, void* detail, void* self) {
        return static_cast<BlockCollector*>(self)->Enter(type, detail);
    };
    parser.leave_block = [](MD_BLOCKTYPE type, void*, void* self) {
        return static_cast<BlockCollector*>(self)->Leave(type);
    };
    parser.enter_span = [](MD_SPANTYPE, void*, void*) { return 0; };
    parser.leave_span = [](MD_SPANTYPE, void*, void*) { return 0; };
    parser.text = [](MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size, void* self) {
        return static_cast<BlockCollector*>(self)->Text(type, std::string_view(text, size));
    };
    md_parse(body.data(), static_cast<MD_SIZE>(body.size()), &parser, &collector);
    return std::move(collector.blocks);
}

} // namespace

std::string Page::Field(const std::string& key) const
{
    const auto found = frontMatter.find(key);
    return found == frontMatter.end() ? std::string() : found->second;
}

Page ReadPage(std::string_view text)
{
    std::string_view yaml, body;
    if (!SplitFrontMatter(text, yaml, body)) throw PageError("the page has no front matter between '---' rows");
    Page page;
    page.frontMatter = ReadFrontMatter(yaml, page.frontMatterNote);
    page.blocks = ReadBody(body);
    return page;
}

} // namespace velmora::convert
