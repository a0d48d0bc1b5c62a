#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace velmora::text {
class NameLookup;
}

namespace velmora::import {

class ImportObserver;
class RowBuffer;
struct PendingStructure;

// Reads the member descriptions of one structure and the flags documented for
// its members, from the row after "Members" up to the closing section.
class MemberDescriptionReader {
public:
    // structureNumber: position of the structure in Structure_Names;
    // firstMemberNumber: entries Member_Names held when this definition began;
    // caption: a buffer for the status captions.
    MemberDescriptionReader(RowBuffer& rows, ImportObserver& observer, std::string_view structureName,
                            long long structureNumber, std::size_t firstMemberNumber, PendingStructure& pending,
                            std::string& caption);

    ~MemberDescriptionReader();

    // False after an error report.
    bool Read();

private:
    bool ReadSingleMember(std::string_view member);
    bool ReadFlags(std::string_view member);
    bool ReadMultiMember(std::string_view member);
    void AddMemberDescription(std::string_view description);
    void AddFlagDescription(std::string_view description);
    bool Fail(std::string_view message);
    bool FailMissingMember(std::string_view member);

    RowBuffer& rows_;
    ImportObserver& observer_;
    const std::string_view structureName_;
    PendingStructure& pending_;
    const std::size_t firstMemberNumber_;
    const std::string descriptionTag_;    // StructureIndex tag of this structure
    const std::string flagStructureTag_;  // FlagStructureIndex tag of this structure
    std::string& caption_;
    std::string entry_;                   // the list entry being built
    std::size_t M_ = 0;                   // the member being described
    std::unique_ptr<text::NameLookup> memberIndex_; // the structure's member names
};

} // namespace velmora::import
