#include "convert/ConversionLog.h"

namespace velmora::convert {

namespace {

constexpr const char* kKindNames[] = {"pages",      "structures", "interfaces",   "methods",       "members",
                                      "parameters", "flags",      "descriptions", "return values", "characters"};

} // namespace

void ConversionLog::Count(ItemKind kind, Outcome outcome, int n)
{
    counts_[static_cast<std::size_t>(kind)][static_cast<std::size_t>(outcome)] += n;
}

int ConversionLog::CountOf(ItemKind kind, Outcome outcome) const
{
    return counts_[static_cast<std::size_t>(kind)][static_cast<std::size_t>(outcome)];
}

bool ConversionLog::AnythingLost() const
{
    for (const auto& kind : counts_)
        if (kind[static_cast<std::size_t>(Outcome::Lost)] > 0)
            return true;
    return false;
}

void ConversionLog::Adapted(ItemKind kind, const std::string& item, const std::string& text, int n)
{
    Count(kind, Outcome::Adapted, n);
    lines_.push_back("adapted: " + item + ": " + text);
}

void ConversionLog::LostLine(const std::string& item, const std::string& text)
{
    lines_.push_back("lost: " + item + ": " + text);
}

void ConversionLog::NotInHeaderLine(const std::string& item, const std::string& text)
{
    lines_.push_back("not in the header: " + item + ": " + text);
}

void ConversionLog::LoseWritten()
{
    for (auto& kind : counts_) {
        kind[static_cast<std::size_t>(Outcome::Lost)] += kind[static_cast<std::size_t>(Outcome::Written)];
        kind[static_cast<std::size_t>(Outcome::Written)] = 0;
        kind[static_cast<std::size_t>(Outcome::Adapted)] = 0;
    }
    // Adaptations of rows that are not written would only mislead.
    std::erase_if(lines_, [](const std::string& line) { return line.starts_with("adapted: "); });
}

void ConversionLog::Append(const ConversionLog& other)
{
    for (std::size_t k = 0; k < kKinds; ++k)
        for (std::size_t o = 0; o < kOutcomes; ++o)
            counts_[k][o] += other.counts_[k][o];
    lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
}

std::vector<std::string> ConversionLog::Summary() const
{
    std::vector<std::string> summary;
    for (std::size_t k = 0; k < kKinds; ++k) {
        const auto& c = counts_[k];
        if (c == std::array<int, kOutcomes>{})
            continue;
        const std::string adaptedAndLost = std::to_string(c[static_cast<std::size_t>(Outcome::Adapted)]) + " adapted, "
                                           + std::to_string(c[static_cast<std::size_t>(Outcome::Lost)]) + " lost";
        // Characters are not written one by one, nor declared: only their changes count.
        if (static_cast<ItemKind>(k) == ItemKind::Character) {
            summary.push_back(std::string("summary: ") + kKindNames[k] + ": " + adaptedAndLost);
            continue;
        }
        summary.push_back(std::string("summary: ") + kKindNames[k] + ": "
                          + std::to_string(c[static_cast<std::size_t>(Outcome::Written)]) + " written, "
                          + adaptedAndLost + ", " + std::to_string(c[static_cast<std::size_t>(Outcome::NotInHeader)])
                          + " not in the header");
    }
    return summary;
}

} // namespace velmora::convert
