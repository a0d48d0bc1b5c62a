#pragma once

#include <array>
#include <string>
#include <vector>

namespace velmora::convert {

// What the reference documents, kind by kind, as the summary counts it.
enum class ItemKind {
    Page, // a page left out before its kind was known: unreadable, or of no kind converted
    Structure,
    Interface,
    Method,
    Member,
    Parameter,
    Flag,
    Description,
    ReturnValue,
    Character, // of the output: kept, written in another form, or lost to '?'
};

// What became of a documented item. Adapted counts changes made to fit the
// layout (the item is written all the same); NotInHeader counts items the page
// documents but the header does not declare.
enum class Outcome { Written, Adapted, Lost, NotInHeader };

// The log of a conversion: one line per adaptation, loss or item the header
// lacks, each starting with its category ("adapted: ", "lost: ",
// "not in the header: "), and the counts per kind behind the summary.
class ConversionLog {
public:
    void Count(ItemKind kind, Outcome outcome, int n = 1);
    int CountOf(ItemKind kind, Outcome outcome) const;
    bool AnythingLost() const;

    // "adapted: ITEM: text", counted `n` times for `kind`.
    void Adapted(ItemKind kind, const std::string& item, const std::string& text, int n = 1);
    // "lost: ITEM: text"; the counts go with Count, since one line may name several items.
    void LostLine(const std::string& item, const std::string& text);
    void NotInHeaderLine(const std::string& item, const std::string& text);

    // An item that will not be written after all: what it counted as written is lost.
    void LoseWritten();
    // Lines and counts of `other` after this log's.
    void Append(const ConversionLog& other);

    const std::vector<std::string>& Lines() const { return lines_; }
    // "summary: members: 260 written, 12 adapted, 0 lost, 9 not in the header", one
    // line per kind that counted anything.
    std::vector<std::string> Summary() const;

private:
    static constexpr std::size_t kKinds = static_cast<std::size_t>(ItemKind::Character) + 1;
    static constexpr std::size_t kOutcomes = static_cast<std::size_t>(Outcome::NotInHeader) + 1;
    std::array<std::array<int, kOutcomes>, kKinds> counts_{};
    std::vector<std::string> lines_;
};

} // namespace velmora::convert
