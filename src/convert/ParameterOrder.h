#pragma once

#include <optional>
#include <string>
#include <vector>

#include "convert/HeaderReader.h"

namespace velmora::convert {

// A parameter as the method page documents it, in page order.
struct PageParameter {
    std::string name;
    std::string type; // from its "Type:" line; empty where the page gives none
};

// Which page parameter documents which parameter of the prototype.
struct ParameterPairing {
    std::vector<std::size_t> pageIndex; // per prototype position
    std::vector<std::string> names; // per prototype position: the name to write
    std::vector<std::string> notes; // one per pairing not made by equal names
};

// The method pages list parameters in their own order (often alphabetical) and
// under names that may differ from the header's. Pairs them by equal names, then
// by names equal but for their prefix and case ("pRect", "rect"), "arg1", "arg2"...
// by position (the header's names are written), the one left over, positions and
// the page's types together, and, where the header gives types only, the one
// pairing in which every name's prefix fits its type. Returns nullopt when the
// pairing is not certain (`why` says why): a parameter is never paired by a guess.
std::optional<ParameterPairing> PairParameters(const std::vector<DeclaredParameter>& declared,
                                               const std::vector<PageParameter>& documented, std::string& why);

// Whether a parameter name's prefix ("dw", "lp", "h") fits a declared type;
// nullopt for a prefix that says nothing about the type.
std::optional<bool> NameFitsType(const std::string& name, const DeclaredParameter& parameter);

} // namespace velmora::convert
