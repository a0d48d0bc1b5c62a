#pragma once

#include <string>
#include <vector>

namespace velmora::convert {

struct DocumentedFlag;
struct DocumentedEntry;

// One structure or interface as it goes into the import file: its name for the
// list at the top, its definition rows, and a log line per change made to fit
// the layout. A skipped item has a reason and no rows.
struct ConvertedItem {
    std::string name;
    std::vector<std::string> rows;
    std::vector<std::string> log;
    std::string skipped;
    int members = 0;   // members, or parameters of an interface
    int flags = 0;
    int methods = 0;   // interfaces only: methods with a definition
    int skippedParts = 0;   // methods left out of an interface that is written

    // "ITEM: page had 'X'; wrote 'Y': why" (or "header had" for a change to a declaration).
    void Note(const std::string& had, const std::string& wrote, const std::string& why, const char* source = "page");
    void Skip(const std::string& reason);
};

// Rows shared by both kinds of definition.
namespace rows {

// One row of text: white space collapsed, never empty.
std::string OneRow(const std::string& text, const std::string& fallback);

// True when the layout would read the text as a flag row: its first word holds no a-z.
bool LooksLikeFlagRow(const std::string& text);

// The "QuickInfo" block: the keyword and exactly four rows.
void AppendQuickInfo(ConvertedItem& item, const std::vector<std::string>& requirements);

// The first paragraph, the others dropped with a log line each.
std::string FirstParagraph(ConvertedItem& item, const std::string& what, const std::vector<std::string>& paragraphs,
                           int codeBlocks);

// A log line per table row of the entry that was not taken as a flag.
void NoteOtherTableRows(ConvertedItem& item, const std::string& owner, const DocumentedEntry& entry);

// "FLAG description" rows for a documented flag, appended to `out`; returns how many.
int AppendFlagRows(ConvertedItem& item, std::vector<std::string>& out, const std::string& owner,
                   const DocumentedFlag& flag);

} // namespace rows

} // namespace velmora::convert
