#pragma once

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueTables.h"
#include "import/ImportObserver.h"
#include "import/IndexTags.h"
#include "import/ParsedStructures.h"
#include "importsave/CatalogueStructuresSaver.h"
#include "support/CatalogueFixture.h"
#include "support/TextListCompare.h"

namespace velmora::testing {

// Builds the seven lists the structures parser hands to the save, tags included.
class ParsedStructuresBuilder {
public:
    ParsedStructuresBuilder& structure(const std::string& name, const std::string& description)
    {
        lists_.Structure_Names.push_back(name);
        lists_.Structure_Descriptions.push_back(description);
        return *this;
    }
    // A member of the structure added last.
    ParsedStructuresBuilder& member(const std::string& type, const std::string& name, const std::string& description)
    {
        const long long s = static_cast<long long>(lists_.Structure_Names.size()) - 1;
        lists_.Member_Names.push_back(name);
        lists_.Member_Types.push_back(type);
        lists_.Member_Descriptions.push_back(import::MakeTag("StructureIndex", s) + description);
        return *this;
    }
    // A flag of the member added last.
    ParsedStructuresBuilder& flag(const std::string& name, const std::string& description)
    {
        const long long s = static_cast<long long>(lists_.Structure_Names.size()) - 1;
        const long long m = static_cast<long long>(lists_.Member_Names.size()) - 1;
        lists_.Flag_Names.push_back(name);
        lists_.Flag_Descriptions.push_back(import::MakeTag("FlagStructureIndex", s) +
                                           import::MakeTag("FlagMemberIndex", m) + description);
        return *this;
    }
    import::ParsedStructures build() const { return lists_; }

private:
    import::ParsedStructures lists_;
};

// Saves lists into the registered catalogue the way an import does.
inline void saveIntoCatalogue(import::ParsedStructures lists, int foundationClass = 1)
{
    catalogue::CatalogueTables c;
    c.database.setConnected(true);
    import::ImportObserver silent;
    importsave::CatalogueStructuresSaver(c.database, c.structures, c.members, c.flags, foundationClass)
        .SaveStructures(lists, silent);
}

// Drops root's privileges for a scope: file permissions then hold as they
// would for an ordinary user (root would write to a read-only file).
class UnprivilegedScope {
public:
    UnprivilegedScope() : wasRoot_(geteuid() == 0)
    {
        if (wasRoot_ && seteuid(65534) != 0)
            wasRoot_ = false;
    }
    ~UnprivilegedScope()
    {
        if (wasRoot_ && seteuid(0) != 0)
            std::abort();
    }
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

private:
    bool wasRoot_;
};

} // namespace velmora::testing
