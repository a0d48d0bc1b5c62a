#include "convert/ParameterOrder.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace velmora::convert {

namespace {

std::string Prefix(const std::string& name)
{
    std::size_t end = 0;
    while (end < name.size() && name[end] >= 'a' && name[end] <= 'z') ++end;
    return name.substr(0, end);
}

bool StartsWithAny(const std::string& text, std::initializer_list<const char*> starts)
{
    return std::any_of(starts.begin(), starts.end(), [&](const char* s) { return text.starts_with(s); });
}

std::string Upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The name without its prefix names the type without "LP"/"P" and trailing digits:
// lpDDSurfaceDesc and LPDDSURFACEDESC2, lpDestRect and LPRECT.
bool NameNamesType(const std::string& name, const DeclaredParameter& parameter)
{
    const std::string core = Upper(name.substr(Prefix(name).size()));
    std::string type = Upper(parameter.type);
    if (type.starts_with("LP")) type = type.substr(2);
    else if (type.starts_with("P")) type = type.substr(1);
    while (!type.empty() && std::isdigit(static_cast<unsigned char>(type.back()))) type.pop_back();
    if (core.empty() || type.size() < 3) return false;
    return core.find(type) != std::string::npos || type.find(core) != std::string::npos;
}

// How many ways pair the open names with the open slots under `fits`; the first is kept.
template <typename Fits>
int CountPairings(const std::vector<std::string>& names, const std::vector<const DeclaredParameter*>& slots, Fits fits,
                  std::vector<std::size_t>& chosen)
{
    std::vector<std::size_t> perm(names.size());
    std::iota(perm.begin(), perm.end(), 0);
    int count = 0;
    do {
        bool all = true;
        for (std::size_t i = 0; i < slots.size() && all; ++i) all = fits(names[perm[i]], *slots[i]);
        if (all && ++count == 1) chosen = perm;
    } while (count < 2 && std::next_permutation(perm.begin(), perm.end()));
    return count;
}

} // namespace

bool NameFitsType(const std::string& name, const DeclaredParameter& parameter)
{
    const std::string prefix = Prefix(name);
    const std::string& type = parameter.type;
    const bool pointer = parameter.modifier.find('*') != std::string::npos || StartsWithAny(type, {"LP", "P"}) ||
                         StartsWithAny(type, {"REF"});
    if (prefix == "dw") return type == "DWORD";
    if (prefix == "lplp" || prefix == "pp") return parameter.modifier.find('*') != std::string::npos || type.starts_with("LPLP");
    if (prefix == "lp" || prefix == "p" || prefix == "pv" || prefix == "lpv" || prefix == "lpdw" || prefix == "pcb" ||
        prefix == "lpfn")
        return pointer;
    if (prefix == "h" || prefix == "hwnd" || prefix == "hdc") return type.starts_with("H") && !pointer;
    if (prefix == "b") return type == "BOOL" || type == "WINBOOL";
    if (prefix == "l") return type == "LONG";
    if (prefix == "w") return type == "WORD";
    if (prefix == "riid" || prefix == "guid") return StartsWithAny(type, {"REF", "GUID", "LPGUID"});
    return true;   // an unknown prefix fits anything: the pairing then has to be unique on its own
}

std::optional<std::vector<std::string>> OrderParameters(const std::vector<DeclaredParameter>& declared,
                                                        const std::vector<std::string>& documented,
                                                        std::vector<std::string>& notes, std::string& why)
{
    if (declared.size() != documented.size()) {
        why = "the page documents " + std::to_string(documented.size()) + " parameter(s), the header declares " +
              std::to_string(declared.size());
        return std::nullopt;
    }
    std::vector<std::string> order(declared.size());
    std::vector<bool> used(documented.size(), false);
    std::vector<std::size_t> openSlots;
    for (std::size_t slot = 0; slot < declared.size(); ++slot) {
        const auto found = std::find(documented.begin(), documented.end(), declared[slot].name);
        if (!declared[slot].name.empty() && found != documented.end() && !used[found - documented.begin()]) {
            order[slot] = *found;
            used[found - documented.begin()] = true;
        } else {
            openSlots.push_back(slot);
        }
    }
    std::vector<std::string> openNames;
    for (std::size_t i = 0; i < documented.size(); ++i)
        if (!used[i]) openNames.push_back(documented[i]);
    if (openSlots.empty()) return order;

    // Every way to pair the open names with the open slots by type; exactly one must fit.
    constexpr std::size_t kMostOpen = 8;
    if (openSlots.size() > kMostOpen) {
        why = std::to_string(openSlots.size()) + " parameters without a name in the header are too many to pair by type";
        return std::nullopt;
    }
    std::vector<const DeclaredParameter*> slots;
    for (const std::size_t slot : openSlots) slots.push_back(&declared[slot]);
    std::vector<std::size_t> chosen;
    // The prefix must fit; where that leaves more than one pairing, a pointer's name must also
    // name its type (lpDestRect an LPRECT).
    int fits = CountPairings(openNames, slots, NameFitsType, chosen);
    if (fits > 1) {
        const auto strict = [](const std::string& n, const DeclaredParameter& p) {
            const bool pointerName = Prefix(n).starts_with("lp") || Prefix(n).starts_with("p");
            return NameFitsType(n, p) && (!pointerName || NameNamesType(n, p));
        };
        std::vector<std::size_t> strictChoice;
        if (CountPairings(openNames, slots, strict, strictChoice) == 1) {
            fits = 1;
            chosen = strictChoice;
        }
    }
    if (fits != 1) {
        std::string names;
        for (const std::string& n : openNames) names += (names.empty() ? "" : ", ") + n;
        why = fits == 0 ? "no order of " + names + " fits the header's parameter types"
                        : "the order of " + names + " would be a guess: more than one fits the header's parameter types";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < openSlots.size(); ++i) {
        const DeclaredParameter& slot = declared[openSlots[i]];
        order[openSlots[i]] = openNames[chosen[i]];
        notes.push_back("parameter " + std::to_string(openSlots[i] + 1) + " (" + slot.type +
                        (slot.modifier.empty() ? "" : " " + slot.modifier) +
                        (slot.name.empty() ? "" : " " + slot.name) + ") is the page's " + openNames[chosen[i]] +
                        (openSlots.size() == 1 ? ", the only one left" : ", the only pairing that fits the types"));
    }
    return order;
}

} // namespace velmora::convert
