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

// A name without its lowercase prefix, case and underscores: "pLockedRect" and
// "locked_rect" both read "lockedrect".
std::string NameCore(const std::string& name)
{
    // A prefix only where a capital follows: "locked_rect" has none.
    const std::string prefix = Prefix(name);
    const bool camel = prefix.size() < name.size() && std::isupper(static_cast<unsigned char>(name[prefix.size()]));
    std::string core = camel ? name.substr(prefix.size()) : name;
    std::erase(core, '_');
    for (char& c : core)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return core;
}

// A type as words and stars, without the words that change nothing for the
// pairing: "const RECT*" and "RECT *" read "RECT*".
std::string TypeKey(const std::string& text)
{
    std::string key, word;
    const auto flush = [&] {
        if (!word.empty() && word != "const" && word != "CONST" && word != "struct" && word != "FAR")
            key += Upper(word);
        word.clear();
    };
    for (const char c : text + " ") {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            word.push_back(c);
            continue;
        }
        flush();
        if (c == '*')
            key.push_back('*');
    }
    return key;
}

bool PageTypeMatches(const std::string& pageType, const DeclaredParameter& p)
{
    return TypeKey(pageType) == TypeKey(p.type + " " + p.modifier);
}

// "arg1", "arg2"...: the page says where, not what.
int ArgumentNumber(const std::string& name)
{
    if (!name.starts_with("arg") || name.size() == 3)
        return 0;
    for (std::size_t i = 3; i < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return 0;
    return std::stoi(name.substr(3));
}

// The type a pointer name names: lpDestRect an LPRECT, lpDDSurfaceDesc an LPDDSURFACEDESC2.
bool NameNamesType(const std::string& name, const DeclaredParameter& parameter)
{
    const std::string core = Upper(name.substr(Prefix(name).size()));
    std::string type = Upper(parameter.type);
    if (type.starts_with("LP")) type = type.substr(2);
    else if (type.starts_with("P")) type = type.substr(1);
    while (!type.empty() && std::isdigit(static_cast<unsigned char>(type.back()))) type.pop_back();
    return type.size() >= 3 && core.ends_with(type);
}

std::string Described(const DeclaredParameter& p)
{
    return p.type + (p.modifier.empty() ? "" : " " + p.modifier) + (p.name.empty() ? "" : " " + p.name);
}

class Pairing {
public:
    Pairing(const std::vector<DeclaredParameter>& declared, const std::vector<PageParameter>& documented)
        : declared_(declared), documented_(documented), slotOf_(documented.size(), kOpen)
    {
        result_.pageIndex.assign(declared.size(), kOpen);
        result_.names.assign(declared.size(), {});
    }

    void Pair(std::size_t slot, std::size_t page, const std::string& how, bool headerName = false)
    {
        result_.pageIndex[slot] = page;
        slotOf_[page] = slot;
        result_.names[slot] =
            headerName && !declared_[slot].name.empty() ? declared_[slot].name : documented_[page].name;
        if (!how.empty())
            result_.notes.push_back("parameter " + std::to_string(slot + 1) + " (" + Described(declared_[slot])
                                    + ") is the page's " + documented_[page].name + ": " + how);
    }

    std::vector<std::size_t> OpenSlots() const
    {
        std::vector<std::size_t> open;
        for (std::size_t s = 0; s < declared_.size(); ++s)
            if (result_.pageIndex[s] == kOpen)
                open.push_back(s);
        return open;
    }
    std::vector<std::size_t> OpenPages() const
    {
        std::vector<std::size_t> open;
        for (std::size_t p = 0; p < documented_.size(); ++p)
            if (slotOf_[p] == kOpen)
                open.push_back(p);
        return open;
    }

    // "arg1", "arg2"... for every parameter of the page: by position.
    bool ByArgumentNumbers()
    {
        for (std::size_t p = 0; p < documented_.size(); ++p)
            if (ArgumentNumber(documented_[p].name) != static_cast<int>(p) + 1)
                return false;
        for (std::size_t p = 0; p < documented_.size(); ++p)
            Pair(p, p, "the page numbers its parameters, and the header's name is written", true);
        return true;
    }

    void ByEqualNames()
    {
        for (const std::size_t slot : OpenSlots())
            for (const std::size_t page : OpenPages())
                if (!declared_[slot].name.empty() && documented_[page].name == declared_[slot].name) {
                    Pair(slot, page, "");
                    break;
                }
    }

    // Names equal but for prefix, case and underscores, one each way.
    void ByNameCores()
    {
        const std::vector<std::size_t> slots = OpenSlots(), pages = OpenPages();
        const auto count = [&](const std::string& core, bool inSlots) {
            int n = 0;
            if (inSlots) {
                for (const std::size_t s : slots)
                    n += NameCore(declared_[s].name) == core;
            } else {
                for (const std::size_t p : pages)
                    n += NameCore(documented_[p].name) == core;
            }
            return n;
        };
        for (const std::size_t slot : slots) {
            if (declared_[slot].name.empty())
                continue;
            const std::string core = NameCore(declared_[slot].name);
            if (core.empty() || count(core, true) != 1 || count(core, false) != 1)
                continue;
            for (const std::size_t page : pages)
                if (NameCore(documented_[page].name) == core)
                    Pair(slot, page, "the names differ only in prefix and case");
        }
    }

    bool TypesAgree(std::size_t slot, std::size_t page) const
    {
        if (!documented_[page].type.empty())
            return PageTypeMatches(documented_[page].type, declared_[slot]);
        return NameFitsType(documented_[page].name, declared_[slot]).value_or(true);
    }

    void TheOneLeft()
    {
        const std::vector<std::size_t> slots = OpenSlots(), pages = OpenPages();
        if (slots.size() == 1 && pages.size() == 1 && TypesAgree(slots[0], pages[0]))
            Pair(slots[0], pages[0], "the only one left, of a fitting type");
    }

    // The page lists the parameters in prototype order and gives their types.
    void ByPositionsAndTypes()
    {
        const std::vector<std::size_t> slots = OpenSlots(), pages = OpenPages();
        if (slots != pages)
            return;
        for (const std::size_t p : pages)
            if (documented_[p].type.empty() || !PageTypeMatches(documented_[p].type, declared_[p]))
                return;
        for (const std::size_t p : pages)
            Pair(p, p, "the same position, and the page's type " + documented_[p].type);
    }

    // A header of types only: the one pairing in which every name's prefix fits
    // its type (and, among pointers, every name names its type).
    void ByPrefixes()
    {
        const std::vector<std::size_t> slots = OpenSlots(), pages = OpenPages();
        constexpr std::size_t kMostOpen = 8;
        if (slots.empty() || slots.size() != pages.size() || slots.size() > kMostOpen)
            return;
        for (const std::size_t s : slots)
            if (!declared_[s].name.empty())
                return;
        for (const std::size_t p : pages)
            if (!NameFitsType(documented_[p].name, declared_[slots.front()]).has_value())
                return;
        const auto fits = [&](const std::string& n, const DeclaredParameter& d) { return *NameFitsType(n, d); };
        const auto strict = [&](const std::string& n, const DeclaredParameter& d) {
            const bool pointerName = Prefix(n).starts_with("lp") || Prefix(n).starts_with("p");
            return *NameFitsType(n, d) && (!pointerName || NameNamesType(n, d));
        };
        std::vector<std::size_t> chosen;
        if (CountPairings(slots, pages, fits, chosen) != 1 && CountPairings(slots, pages, strict, chosen) != 1)
            return;
        for (std::size_t i = 0; i < slots.size(); ++i)
            Pair(slots[i], pages[chosen[i]], "the only pairing in which every name fits its type");
    }

    const ParameterPairing& Result() const { return result_; }

private:
    template <typename Fits>
    int CountPairings(const std::vector<std::size_t>& slots, const std::vector<std::size_t>& pages, Fits fits,
                      std::vector<std::size_t>& chosen) const
    {
        std::vector<std::size_t> perm(pages.size());
        std::iota(perm.begin(), perm.end(), 0);
        int count = 0;
        do {
            bool all = true;
            for (std::size_t i = 0; i < slots.size() && all; ++i)
                all = fits(documented_[pages[perm[i]]].name, declared_[slots[i]]);
            if (all && ++count == 1)
                chosen = perm;
        } while (count < 2 && std::next_permutation(perm.begin(), perm.end()));
        return count;
    }

    static constexpr std::size_t kOpen = static_cast<std::size_t>(-1);
    const std::vector<DeclaredParameter>& declared_;
    const std::vector<PageParameter>& documented_;
    std::vector<std::size_t> slotOf_;
    ParameterPairing result_;
};

} // namespace

std::optional<bool> NameFitsType(const std::string& name, const DeclaredParameter& parameter)
{
    const std::string prefix = Prefix(name);
    const std::string& type = parameter.type;
    const bool pointer = parameter.modifier.find('*') != std::string::npos || StartsWithAny(type, {"LP", "P", "REF"});
    if (prefix == "dw") return type == "DWORD";
    if (prefix == "lplp" || prefix == "pp") return parameter.modifier.find('*') != std::string::npos || type.starts_with("LPLP");
    if (prefix == "lp" || prefix == "p" || prefix == "pv" || prefix == "lpv" || prefix == "lpdw" || prefix == "pcb"
        || prefix == "lpfn" || prefix == "lpb")
        return pointer;
    if (prefix == "h" || prefix == "hwnd" || prefix == "hdc") return type.starts_with("H") && !pointer;
    if (prefix == "b") return type == "BOOL" || type == "WINBOOL";
    if (prefix == "l") return type == "LONG";
    if (prefix == "w") return type == "WORD";
    if (prefix == "riid" || prefix == "guid") return StartsWithAny(type, {"REF", "GUID", "LPGUID"});
    return std::nullopt;
}

std::optional<ParameterPairing> PairParameters(const std::vector<DeclaredParameter>& declared,
                                               const std::vector<PageParameter>& documented, std::string& why)
{
    if (declared.size() != documented.size()) {
        why = "the page documents " + std::to_string(documented.size()) + " parameter(s), the header declares " +
              std::to_string(declared.size());
        return std::nullopt;
    }
    Pairing pairing(declared, documented);
    if (!pairing.ByArgumentNumbers()) {
        pairing.ByEqualNames();
        pairing.ByNameCores();
        pairing.TheOneLeft();
        pairing.ByPositionsAndTypes();
        pairing.ByPrefixes();
    }
    const std::vector<std::size_t> slots = pairing.OpenSlots(), pages = pairing.OpenPages();
    if (slots.empty())
        return pairing.Result();
    std::string header, page;
    for (const std::size_t s : slots)
        header += (header.empty() ? "" : ", ") + Described(declared[s]);
    for (const std::size_t p : pages)
        page += (page.empty() ? "" : ", ") + documented[p].name;
    why = "no certain pairing of the page's " + page + " with the header's " + header
          + ": the names differ, and neither positions with types nor the names' prefixes settle it";
    return std::nullopt;
}

} // namespace velmora::convert
