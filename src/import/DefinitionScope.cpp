#include "import/DefinitionScope.h"

#include "import/RowBuffer.h"
#include "text/TraceText.h"

namespace velmora::import {

DefinitionScope::DefinitionScope(RowBuffer& rows, std::string_view kind, std::string_view owner, std::string_view name)
    : rows_(rows), outer_(rows.OpenDefinition()), kind_(kind), owner_(owner), name_(name), startRow_(rows.Current())
{
    rows_.SetOpenDefinition(this);
}

DefinitionScope::~DefinitionScope()
{
    rows_.SetOpenDefinition(outer_);
}

std::string DefinitionScope::Describe() const
{
    if (name_.empty())
        return std::string(kind_);
    if (owner_.empty())
        return text::Concat(kind_, " '", name_, "'");
    return text::Concat(kind_, " '", owner_, "::", name_, "'");
}

} // namespace velmora::import
