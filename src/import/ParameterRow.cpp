#include "import/ParameterRow.h"

#include "import/ImportObserver.h"
#include "import/InterfaceText.h"
#include "import/RowRules.h"
#include "text/Characters.h"
#include "text/TraceText.h"

namespace velmora::import {

ParameterRow ParameterRow::Split(std::string_view row)
{
    const long long space = PositionOf(row, " ");
    const long long star = PositionOf(row, "*");
    // A comma anywhere means the row ends with the separating one, which is
    // not part of the name: the last character is left out, whatever it is.
    const bool comma = PositionOf(row, ",") > 0;
    const long long nameEnd = static_cast<long long>(row.size() - (comma ? text::LastCharacterSize(row) : 0));

    ParameterRow parts;
    parts.type = TextFrom(row, 1, space - 1);
    if (star > 0) {
        parts.isPointer = true;
        parts.rawName = TextFrom(row, star + 1, nameEnd - star);
        parts.modifier = TextFrom(row, space + 1, star - space);
    } else {
        parts.rawName = TextFrom(row, space + 1, nameEnd - space);
    }
    parts.name = TrimLeadingBlanks(parts.rawName);
    return parts;
}

void TraceParameterRow(ImportObserver& observer, std::string_view row, const ParameterRow& parts)
{
    if (parts.isPointer) {
        observer.Trace("adding name'", parts.rawName);
        observer.Trace("adding typemodifiername'", parts.rawName, "'", parts.modifier, "'", parts.type, "'");
    } else {
        observer.Trace("adding type, and name", row);
        observer.Trace("adding type and name'", parts.rawName, "'", parts.type, "'");
    }
}

} // namespace velmora::import
