#include "importsave/ListChecks.h"

#include <QString>

#include "catalogue/CatalogueError.h"

namespace velmora::importsave {

namespace {

catalogue::CatalogueError Unlinked(const import::BrokenLinkError& error, const char* item, std::size_t at)
{
    return catalogue::CatalogueError(QStringLiteral("Cannot save %1 #%2: it names no %3 of this import")
                                         .arg(QLatin1String(item))
                                         .arg(at)
                                         .arg(QLatin1String(error.Target())));
}

} // namespace

void RequireSize(std::size_t names, std::size_t entries, const char* list)
{
    if (entries < names)
        throw catalogue::CatalogueError(
            QStringLiteral("Cannot save the structures: the list %1 is shorter than its names")
                .arg(QLatin1String(list)));
}

std::size_t StructureOfMember(const import::ParsedStructures& lists, std::size_t j, std::string& description)
{
    try {
        return import::MemberLink(lists.Member_Descriptions[j], lists.Structure_Names.size(), description);
    } catch (const import::BrokenLinkError& error) {
        throw Unlinked(error, "structure member", j);
    }
}

import::FlagLinks ParentsOfFlag(const import::ParsedStructures& lists, std::size_t k, std::string& description)
{
    try {
        return import::FlagLink(lists.Flag_Descriptions[k], lists.Structure_Names.size(), lists.Member_Names.size(),
                                description);
    } catch (const import::BrokenLinkError& error) {
        throw Unlinked(error, "structure member flag", k);
    }
}

} // namespace velmora::importsave
