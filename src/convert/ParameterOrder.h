#pragma once

#include <optional>
#include <string>
#include <vector>

#include "convert/HeaderReader.h"

namespace velmora::convert {

// The method pages list parameters in their own order (often alphabetical) and
// only the header gives the prototype's. Returns, per header parameter, the
// page's name for it; nullopt when the pairing would be a guess (`why` says why).
// `notes` receives a line per pairing that was not by equal name.
std::optional<std::vector<std::string>> OrderParameters(const std::vector<DeclaredParameter>& declared,
                                                        const std::vector<std::string>& documented,
                                                        std::vector<std::string>& notes, std::string& why);

// Whether a parameter name's prefix ("dw", "lp", "h") fits a declared type.
bool NameFitsType(const std::string& name, const DeclaredParameter& parameter);

} // namespace velmora::convert
