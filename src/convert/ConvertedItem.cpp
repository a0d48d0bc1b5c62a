#include "convert/ConvertedItem.h"

#include "convert/HtmlText.h"
#include "convert/ReferencePage.h"

namespace velmora::convert {

namespace {

std::string Quoted(const std::string& text)
{
    constexpr std::size_t kShown = 70;
    return "'" + (text.size() > kShown ? text.substr(0, kShown) + "..." : text) + "'";
}

constexpr const char* kNoDescription = "No description.";

} // namespace

void ConvertedItem::Note(const std::string& had, const std::string& wrote, const std::string& why, const char* source)
{
    log.push_back(name + ": " + source + " had " + Quoted(had) + "; wrote " + (wrote.empty() ? "nothing" : Quoted(wrote)) +
                  ": " + why);
}

void ConvertedItem::Skip(const std::string& reason)
{
    skipped = reason;
    rows.clear();
    log.push_back(name + ": skipped: " + reason);
}

namespace rows {

std::string OneRow(const std::string& text, const std::string& fallback)
{
    const std::string row = CollapseWhitespace(text);
    return row.empty() ? fallback : row;
}

bool LooksLikeFlagRow(const std::string& text)
{
    const std::string first = text.substr(0, text.find(' '));
    for (const char c : first)
        if (c >= 'a' && c <= 'z') return false;
    return true;
}

void AppendQuickInfo(ConvertedItem& item, const std::vector<std::string>& requirements)
{
    constexpr std::size_t kRows = 4;
    item.rows.push_back("QuickInfo");
    for (std::size_t i = 0; i < requirements.size() && i < kRows; ++i) item.rows.push_back(OneRow(requirements[i], "-"));
    for (std::size_t i = kRows; i < requirements.size(); ++i)
        item.Note(requirements[i], "", "the QuickInfo block holds four rows");
    if (requirements.size() < kRows) {
        for (std::size_t i = requirements.size(); i < kRows; ++i) item.rows.push_back("Requirement: none listed.");
        item.Note(std::to_string(requirements.size()) + " requirement row(s)",
                  std::to_string(kRows - requirements.size()) + " x 'Requirement: none listed.'",
                  "the QuickInfo block always holds four rows");
    }
}

std::string FirstParagraph(ConvertedItem& item, const std::string& what, const std::vector<std::string>& paragraphs,
                           int codeBlocks)
{
    for (std::size_t i = 1; i < paragraphs.size(); ++i) {
        const bool readAsDeclaration = paragraphs[i].find("struct") != std::string::npos;
        item.Note(paragraphs[i], "",
                  "paragraph " + std::to_string(i + 1) + " of the " + what + " dropped: the layout holds one row" +
                      (readAsDeclaration && what == "description"
                           ? " (this one contains 'struct' and would be read as the declaration's first row)"
                           : ""));
    }
    if (codeBlocks > 0)
        item.Note(std::to_string(codeBlocks) + " code block(s) in the " + what, "", "the layout has no place for code");
    if (paragraphs.empty() || CollapseWhitespace(paragraphs.front()).empty()) {
        item.Note("no " + what, kNoDescription, "the layout needs a row of text here");
        return kNoDescription;
    }
    return OneRow(paragraphs.front(), kNoDescription);
}

void NoteOtherTableRows(ConvertedItem& item, const std::string& owner, const DocumentedEntry& entry)
{
    for (const std::string& row : entry.otherTableRows)
        item.Note(row, "", "a table row of " + owner + " whose first cell names no flag (it has lowercase letters)");
}

int AppendFlagRows(ConvertedItem& item, std::vector<std::string>& out, const std::string& owner,
                   const DocumentedFlag& flag)
{
    std::string description = flag.paragraphs.empty() ? std::string() : CollapseWhitespace(flag.paragraphs.front());
    for (std::size_t i = 1; i < flag.paragraphs.size(); ++i)
        item.Note(flag.paragraphs[i], "", "paragraph " + std::to_string(i + 1) + " of flag " + flag.names.front() +
                                              " dropped: a flag's description is the rest of its row");
    if (description.empty()) {
        description = kNoDescription;
        item.Note(owner + " flag " + flag.written + " without description", kNoDescription,
                  "the flag's row needs a description");
    } else if (LooksLikeFlagRow(description)) {
        item.Note(description, flag.names.front() + " " + description,
                  "the description starts with a word without lowercase letters, which the layout reads as a flag; "
                  "on the flag's own row it is its description");
    }
    if (flag.names.size() > 1) {
        std::string all;
        for (const std::string& n : flag.names) all += (all.empty() ? "" : ", ") + n;
        item.Note(flag.written, std::to_string(flag.names.size()) + " flag rows " + all,
                  "one heading names several flags; each gets its own row with the shared description");
    }
    for (const std::string& name : flag.names) out.push_back(name + " " + description);
    return static_cast<int>(flag.names.size());
}

} // namespace rows

} // namespace velmora::convert
