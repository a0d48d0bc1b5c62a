#pragma once

#include <string>
#include <vector>

#include "convert/ConversionLog.h"

namespace velmora::convert {

struct DocumentedFlag;
struct ReferencePage;

// One structure or interface as it goes into the import file: its name for the
// list at the top, its definition rows, and its log: a line per change made to
// fit the layout, per loss and per item the header lacks, with the counts of
// what was written. A lost item has no rows.
struct ConvertedItem {
    std::string name;
    std::vector<std::string> rows;
    ConversionLog log;
    bool lost = false;
    int members = 0; // members, or parameters of an interface, as written: what the import must read
    int flags = 0;

    // "adapted: ITEM: page had 'X'; wrote 'Y': why" (or "header had" for a change to a declaration).
    void Note(ItemKind kind, const std::string& had, const std::string& wrote, const std::string& why,
              const char* source = "page");
    // The item is not written after all: what it counted as written is lost.
    void Lose(const std::string& reason);
};

// What a page documents, counted as `outcome` in `log`: the item itself, its
// members or parameters, flags, descriptions and return value. For a page that
// is not converted at all.
void CountDocumented(const ReferencePage& page, ConversionLog& log, Outcome outcome);

// The text cut after 70 bytes (at a character's start), "..." marking the cut;
// Quoted puts it in quotes: how log lines quote the pages.
std::string Shortened(const std::string& text);
std::string Quoted(const std::string& text);

// Rows shared by both kinds of definition.
namespace rows {

// One row of text: white space collapsed, never empty.
std::string OneRow(const std::string& text, const std::string& fallback);

// True when the layout would read the text as a flag row: its first word holds no a-z.
bool LooksLikeFlagRow(const std::string& text);

// The "QuickInfo" block: the keyword and exactly four rows.
void AppendQuickInfo(ConvertedItem& item, ItemKind kind, const std::vector<std::string>& requirements);

// The first paragraph, counted as written (of `kind`: a description or a return
// value); further paragraphs and code blocks dropped with one log line.
std::string FirstParagraph(ConvertedItem& item, ItemKind kind, const std::string& what,
                           const std::vector<std::string>& paragraphs, int codeBlocks);

// "FLAG description" rows for a documented flag, appended to `out`; returns how many.
int AppendFlagRows(ConvertedItem& item, std::vector<std::string>& out, const std::string& owner,
                   const DocumentedFlag& flag);

// The remarks: "Remarks" and a row per paragraph, none of them a row that
// would end the section early (`ending`, besides "QuickInfo").
void AppendRemarks(ConvertedItem& item, ItemKind kind, std::vector<std::string>& out, const std::string& what,
                   const std::vector<std::string>& remarks, int codeBlocks, const std::string& ending = {});

} // namespace rows

} // namespace velmora::convert
