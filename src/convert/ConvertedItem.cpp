#include "convert/ConvertedItem.h"

#include <algorithm>

#include "convert/HtmlText.h"
#include "convert/ReferencePage.h"

namespace velmora::convert {

namespace {

constexpr const char* kNoDescription = "No description.";

bool HasText(const std::vector<std::string>& paragraphs)
{
    return std::any_of(paragraphs.begin(), paragraphs.end(),
                       [](const std::string& p) { return !CollapseWhitespace(p).empty(); });
}

// "DUMMYUNIONNAMEN" placeholders and "dwCaps.DDCAPS_3D" second copies of a flag
// document no member of their own.
bool DocumentsNoEntry(const DocumentedEntry& entry)
{
    if (entry.name.starts_with("DUMMY"))
        return true;
    const std::size_t dot = entry.name.rfind('.');
    return dot != std::string::npos && !ReadFlagCell(entry.name.substr(dot + 1)).names.empty();
}

ItemKind KindOf(const ReferencePage& page)
{
    switch (page.kind) {
    case PageKind::Structure: return ItemKind::Structure;
    case PageKind::Interface: return ItemKind::Interface;
    default: return ItemKind::Method;
    }
}

} // namespace

std::string Shortened(const std::string& text)
{
    constexpr std::size_t kShown = 70;
    if (text.size() <= kShown)
        return text;
    std::size_t cut = kShown;
    // Never inside a UTF-8 character: the log stays valid UTF-8.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut) + "...";
}

std::string Quoted(const std::string& text)
{
    return "'" + Shortened(text) + "'";
}

void ConvertedItem::Note(ItemKind kind, const std::string& had, const std::string& wrote, const std::string& why,
                         const char* source)
{
    log.Adapted(kind, name,
                std::string(source) + " had " + Quoted(had) + "; wrote " + (wrote.empty() ? "nothing" : Quoted(wrote))
                    + ": " + why);
}

void ConvertedItem::Lose(const std::string& reason)
{
    lost = true;
    rows.clear();
    log.LoseWritten();
    log.LostLine(name, reason);
}

void CountDocumented(const ReferencePage& page, ConversionLog& log, Outcome outcome)
{
    log.Count(KindOf(page), outcome);
    if (HasText(page.description))
        log.Count(ItemKind::Description, outcome);
    const ItemKind entryKind = page.kind == PageKind::Structure ? ItemKind::Member : ItemKind::Parameter;
    for (const DocumentedEntry& entry : page.entries) {
        if (DocumentsNoEntry(entry))
            continue;
        log.Count(entryKind, outcome);
        if (HasText(entry.paragraphs))
            log.Count(ItemKind::Description, outcome);
        for (const DocumentedFlag& flag : entry.flags)
            log.Count(ItemKind::Flag, outcome, static_cast<int>(flag.names.size()));
    }
    if (HasText(page.returns))
        log.Count(ItemKind::ReturnValue, outcome);
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
    return std::none_of(first.begin(), first.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

void AppendQuickInfo(ConvertedItem& item, ItemKind kind, const std::vector<std::string>& requirements)
{
    constexpr std::size_t kRows = 4;
    item.rows.push_back("QuickInfo");
    for (std::size_t i = 0; i < requirements.size() && i < kRows; ++i) item.rows.push_back(OneRow(requirements[i], "-"));
    for (std::size_t i = kRows; i < requirements.size(); ++i)
        item.Note(kind, requirements[i], "", "the QuickInfo block holds four rows");
    if (requirements.size() < kRows) {
        for (std::size_t i = requirements.size(); i < kRows; ++i) item.rows.push_back("Requirement: none listed.");
        item.Note(kind, std::to_string(requirements.size()) + " requirement row(s)",
                  std::to_string(kRows - requirements.size()) + " x 'Requirement: none listed.'",
                  "the QuickInfo block always holds four rows");
    }
}

std::string FirstParagraph(ConvertedItem& item, ItemKind kind, const std::string& what,
                           const std::vector<std::string>& paragraphs, int codeBlocks)
{
    std::vector<std::string> kept;
    for (const std::string& p : paragraphs)
        if (!CollapseWhitespace(p).empty())
            kept.push_back(CollapseWhitespace(p));
    const std::string code = codeBlocks > 0 ? std::to_string(codeBlocks) + " code block(s)" : "";
    if (kept.size() > 1) {
        const bool readAsDeclaration = kind == ItemKind::Description && what == "description"
                                       && std::any_of(kept.begin() + 1, kept.end(), [](const std::string& p) {
                                              return p.find("struct") != std::string::npos;
                                          });
        item.log.Adapted(kind, item.name,
                         "page had " + Quoted(kept[1])
                             + (kept.size() > 2 ? " and " + std::to_string(kept.size() - 2) + " more paragraph(s)" : "")
                             + (code.empty() ? "" : " and " + code) + " after the first paragraph of the " + what
                             + "; wrote the first paragraph: the layout holds one row"
                             + (readAsDeclaration
                                    ? " (a paragraph with 'struct' would be read as the declaration's first row)"
                                    : ""));
    } else if (!code.empty()) {
        item.log.Adapted(kind, item.name,
                         "page had " + code + " in the " + what
                             + "; wrote nothing of it: the layout has no place for code");
    }
    if (kept.empty()) {
        item.Note(kind, "no " + what, kNoDescription, "the layout needs a row of text here");
        return kNoDescription;
    }
    item.log.Count(kind, Outcome::Written);
    return kept.front();
}

int AppendFlagRows(ConvertedItem& item, std::vector<std::string>& out, const std::string& owner,
                   const DocumentedFlag& flag)
{
    std::string description = flag.paragraphs.empty() ? std::string() : CollapseWhitespace(flag.paragraphs.front());
    if (flag.paragraphs.size() > 1)
        item.Note(ItemKind::Flag, flag.paragraphs[1], "",
                  std::to_string(flag.paragraphs.size() - 1) + " further paragraph(s) of flag " + flag.names.front()
                      + " dropped: a flag's description is the rest of its row");
    if (description.empty()) {
        description = kNoDescription;
        item.Note(ItemKind::Flag, owner + " flag " + flag.written + " without description", kNoDescription,
                  "the flag's row needs a description");
    } else if (LooksLikeFlagRow(description)) {
        item.Note(ItemKind::Flag, description, flag.names.front() + " " + description,
                  "the description starts with a word without lowercase letters, which the layout reads as a flag; "
                  "on the flag's own row it is its description");
    }
    if (flag.names.size() > 1) {
        std::string all;
        for (const std::string& n : flag.names) all += (all.empty() ? "" : ", ") + n;
        item.Note(ItemKind::Flag, flag.written, std::to_string(flag.names.size()) + " flag rows " + all,
                  "one heading names several flags; each gets its own row with the shared description");
    }
    // A value beside a single name ("DDSCAPS3_VIDEO (0x00000200L)") stays beside it.
    const std::string value = flag.names.size() == 1 && !flag.value.empty() ? flag.value + " " : "";
    for (const std::string& name : flag.names)
        out.push_back(name + " " + value + description);
    item.log.Count(ItemKind::Flag, Outcome::Written, static_cast<int>(flag.names.size()));
    return static_cast<int>(flag.names.size());
}

void AppendRemarks(ConvertedItem& item, ItemKind kind, std::vector<std::string>& out, const std::string& what,
                   const std::vector<std::string>& remarks, int codeBlocks, const std::string& ending)
{
    if (remarks.empty() && codeBlocks == 0)
        return;
    out.push_back("Remarks");
    for (const std::string& remark : remarks) {
        const std::string row = OneRow(remark, "");
        if (row.empty())
            continue;
        if (row == "QuickInfo" || (!ending.empty() && row == ending)) {
            item.Note(kind, row, "", "this remark would end the remarks");
            continue;
        }
        out.push_back(row);
    }
    if (codeBlocks > 0)
        item.Note(kind, std::to_string(codeBlocks) + " code block(s) in the " + what, "",
                  "the layout has no place for code");
}

} // namespace rows

} // namespace velmora::convert
