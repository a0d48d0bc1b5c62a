#pragma once

#include <string>
#include <string_view>

namespace velmora::import {

class RowBuffer;

// A definition the parser is reading (a name list, a structure, an interface,
// a method), from the row under the cursor when the scope begins until it
// ends. Scopes nest; when the rows run out before a definition is complete,
// the error report names the innermost one. The texts are views that must
// outlive the scope.
class DefinitionScope {
public:
    // kind: "structure", "the structure list", ...; owner and name, when given,
    // follow it in quotes as "owner::name".
    DefinitionScope(RowBuffer& rows, std::string_view kind, std::string_view owner = {}, std::string_view name = {});
    ~DefinitionScope();
    DefinitionScope(const DefinitionScope&) = delete;
    DefinitionScope& operator=(const DefinitionScope&) = delete;

    int StartRow() const { return startRow_; }
    std::string Describe() const; // "structure 'A'", "method 'I::M'", "the structure list"

private:
    RowBuffer& rows_;
    const DefinitionScope* outer_;
    std::string_view kind_;
    std::string_view owner_;
    std::string_view name_;
    int startRow_;
};

} // namespace velmora::import
