#include "convert/HeaderReader.h"

#include <cctype>

namespace velmora::convert {

namespace {

bool IsIdentifierChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentifier(const std::string& token)
{
    return !token.empty() && (std::isalpha(static_cast<unsigned char>(token[0])) || token[0] == '_');
}

// Comments and preprocessor rows removed (a comment inside a declaration must
// not end up in a member row).
std::string StripCommentsAndDirectives(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool lineStart = true;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            const std::size_t end = text.find("*/", i + 2);
            i = end == std::string_view::npos ? text.size() : end + 2;
            out.push_back(' ');
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            i = text.find('\n', i);
            if (i == std::string_view::npos) i = text.size();
        } else if (lineStart && c == '#') {
            // A directive runs to the end of its row, continued rows included.
            while (i < text.size() && text[i] != '\n') {
                if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
                else if (text[i] == '\\' && i + 2 < text.size() && text[i + 1] == '\r' && text[i + 2] == '\n') i += 2;
                ++i;
            }
        } else {
            if (c == '\n') lineStart = true;
            else if (!std::isspace(static_cast<unsigned char>(c))) lineStart = false;
            out.push_back(c);
            ++i;
        }
    }
    return out;
}

std::vector<std::string> Tokenize(std::string_view text)
{
    std::vector<std::string> tokens;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (IsIdentifierChar(c)) {
            std::size_t end = i;
            while (end < text.size() && IsIdentifierChar(text[end])) ++end;
            tokens.emplace_back(text.substr(i, end - i));
            i = end;
        } else {
            tokens.emplace_back(1, c);
            ++i;
        }
    }
    return tokens;
}

bool IsQualifier(const std::string& token)
{
    return token == "FAR" || token == "NEAR" || token == "const" || token == "CONST" || token == "__GNU_EXTENSION" ||
           token == "volatile";
}

std::string Joined(const std::vector<std::string>& tokens, std::size_t from, std::size_t to)
{
    std::string out;
    for (std::size_t i = from; i < to && i < tokens.size(); ++i) {
        if (!out.empty() && IsIdentifier(tokens[i]) && IsIdentifier(tokens[i - 1])) out.push_back(' ');
        out += tokens[i];
    }
    return out;
}

class StructParser {
public:
    StructParser(const std::vector<std::string>& tokens, DeclaredStruct& target) : t_(tokens), s_(target) {}

    // Reads members from just after "{" to the matching "}"; returns the position after it.
    std::size_t Body(std::size_t at, const std::string& prefix, int unionGroup)
    {
        while (at < t_.size() && t_[at] != "}") {
            if (t_[at] == "__GNU_EXTENSION" || t_[at] == ";") {
                ++at;
            } else if ((t_[at] == "union" || t_[at] == "struct") && Next(at, 1) == "{") {
                at = Nested(at, prefix, unionGroup);
            } else if ((t_[at] == "union" || t_[at] == "struct") && Next(at, 2) == "{") {
                at = Nested(at + 1, prefix, unionGroup);   // a tagged nested declaration: the tag is no member
            } else {
                at = Member(at, prefix, unionGroup);
            }
        }
        return at + 1;
    }

private:
    std::string Next(std::size_t at, std::size_t ahead) const
    {
        return at + ahead < t_.size() ? t_[at + ahead] : std::string();
    }

    std::size_t Nested(std::size_t at, const std::string& prefix, int unionGroup)
    {
        // Real declarations nest two or three deep; a runaway header must not exhaust the stack.
        constexpr int kDeepest = 16;
        if (depth_ >= kDeepest) {
            s_.unrepresentable = "unions and structures nest more than " + std::to_string(kDeepest) + " deep";
            std::size_t end = SkipBraces(at + 1);
            while (end < t_.size() && t_[end] != ";") ++end;
            return end + 1;
        }
        ++depth_;
        const std::size_t next = NestedBody(at, prefix, unionGroup);
        --depth_;
        return next;
    }

    std::size_t NestedBody(std::size_t at, const std::string& prefix, int unionGroup)
    {
        const bool isUnion = t_[at] == "union" || (at > 0 && t_[at - 1] == "union");
        int group = unionGroup;
        if (isUnion && group < 0) group = nextGroup_++;
        const std::size_t before = s_.members.size();
        // The label comes after the body; the members need it as prefix when it names a structure.
        std::size_t bodyEnd = SkipBraces(at + 1);
        std::size_t labelEnd = bodyEnd;
        while (labelEnd < t_.size() && t_[labelEnd] != ";") ++labelEnd;
        const std::string label = Joined(t_, bodyEnd, labelEnd);
        const bool placeholderLabel = label.empty() || label.starts_with("DUMMY");
        const std::string innerPrefix = isUnion || placeholderLabel ? prefix : prefix + label + ".";
        Body(at + 2, innerPrefix, group);
        if (isUnion && !label.empty()) {
            s_.adaptations.push_back(
                {false, "} " + label + ";", "};", "a union's closing row with a name would end the whole declaration"});
        }
        if (!isUnion && s_.members.size() > before) {
            std::string names;
            for (std::size_t i = before; i < s_.members.size(); ++i) names += (names.empty() ? "" : ", ") + s_.members[i].name;
            s_.adaptations.push_back({true, "struct { ... } " + label + ";", names,
                                      "a structure inside a structure is written as its members"});
        }
        return labelEnd + 1;
    }

    // Position after the "}" that closes the "{" at `open`.
    std::size_t SkipBraces(std::size_t open) const
    {
        int depth = 0;
        for (std::size_t i = open; i < t_.size(); ++i) {
            if (t_[i] == "{") ++depth;
            if (t_[i] == "}" && --depth == 0) return i + 1;
        }
        return t_.size();
    }

    std::size_t Member(std::size_t at, const std::string& prefix, int unionGroup)
    {
        std::size_t end = at;
        int parens = 0;
        while (end < t_.size() && !(parens == 0 && (t_[end] == ";" || t_[end] == "}"))) {
            if (t_[end] == "(") ++parens;
            if (t_[end] == ")") --parens;
            ++end;
        }
        const std::string written = Joined(t_, at, end) + ";";
        // Declarators after the first share its base type: "DWORD a, b;".
        std::vector<std::string> base;
        std::size_t i = at;
        for (; i < end && t_[i] != "," ; ++i) {
            if (t_[i] == "(") {
                s_.unrepresentable = "the member '" + written + "' is a function pointer, which the layout cannot hold";
                return end + 1;
            }
        }
        std::size_t declStart = at;
        bool first = true;
        while (declStart < end) {
            std::size_t declEnd = declStart;
            while (declEnd < end && t_[declEnd] != ",") ++declEnd;
            AddDeclarator(declStart, declEnd, first, base, prefix, unionGroup, written);
            first = false;
            declStart = declEnd + 1;
        }
        return end < t_.size() && t_[end] == ";" ? end + 1 : end;
    }

    void AddDeclarator(std::size_t from, std::size_t to, bool first, std::vector<std::string>& base,
                       const std::string& prefix, int unionGroup, const std::string& written)
    {
        // The name is the last identifier before any "[".
        std::size_t arrayAt = to;
        for (std::size_t i = from; i < to; ++i) {
            if (t_[i] == "[") {
                arrayAt = i;
                break;
            }
        }
        std::size_t nameAt = to;
        for (std::size_t i = arrayAt; i-- > from;) {
            if (IsIdentifier(t_[i]) && !IsQualifier(t_[i])) {
                nameAt = i;
                break;
            }
        }
        if (nameAt == to) return;
        std::vector<std::string> typeWords, stars;
        if (first) {
            for (std::size_t i = from; i < nameAt; ++i) {
                if (t_[i] == "*") stars.push_back("*");
                else if (!IsQualifier(t_[i])) base.push_back(t_[i]);
            }
        } else {
            for (std::size_t i = from; i < nameAt; ++i)
                if (t_[i] == "*") stars.push_back("*");
        }
        std::string type;
        for (const std::string& word : base) type += (type.empty() ? "" : " ") + word;
        if (base.size() > 1 || type == "struct" || type == "union") {
            s_.unrepresentable =
                "the member '" + written + "' has the type '" + type + "' of several words; the layout's type is one word";
            return;
        }
        for (std::size_t i = 0; i < stars.size(); ++i) type += "*";
        const std::string bounds = Joined(t_, arrayAt, to);
        DeclaredMember member{type + bounds, prefix + t_[nameAt], unionGroup};
        if (!bounds.empty()) {
            s_.adaptations.push_back(
                {true, written, member.type + " " + member.name + ";",
                 "the array bound goes with the type so that the member name is the documented one"});
        } else if (!stars.empty()) {
            s_.adaptations.push_back({true, written, member.type + " " + member.name + ";",
                                      "the pointer star goes with the type: the layout's type is the first word"});
        } else if (!first) {
            s_.adaptations.push_back({true, written, member.type + " " + member.name + ";", "one member per row"});
        }
        s_.members.push_back(std::move(member));
    }

    const std::vector<std::string>& t_;
    DeclaredStruct& s_;
    int nextGroup_ = 0;
    int depth_ = 0;
};

std::vector<DeclaredParameter> ReadParameters(const std::vector<std::string>& t, std::size_t from, std::size_t to)
{
    std::vector<DeclaredParameter> parameters;
    std::size_t start = from;
    if (start < to && (t[start] == "THIS_" || t[start] == "THIS")) ++start;
    while (start < to) {
        std::size_t end = start;
        int depth = 0;
        while (end < to && !(depth == 0 && t[end] == ",")) {
            if (t[end] == "(") ++depth;
            if (t[end] == ")") --depth;
            ++end;
        }
        std::vector<std::string> words;
        std::string modifier;
        for (std::size_t i = start; i < end; ++i) {
            if (t[i] == "*") modifier += "*";
            else if (t[i] == "FAR" || t[i] == "NEAR") modifier += t[i] + " ";
            else if (t[i] == "[" || t[i] == "]" || t[i] == "const" || t[i] == "CONST") continue;
            else words.push_back(t[i]);
        }
        DeclaredParameter parameter;
        if (!words.empty()) parameter.type = words.front();
        if (words.size() >= 2 && IsIdentifier(words.back())) parameter.name = words.back();
        for (std::size_t i = 1; i + (parameter.name.empty() ? 0 : 1) < words.size(); ++i) parameter.type += " " + words[i];
        parameter.modifier = modifier;
        if (!(parameter.type == "void" && modifier.empty() && parameter.name.empty()))
            parameters.push_back(std::move(parameter));
        start = end + 1;
    }
    return parameters;
}

// STDMETHOD(Name)(THIS_ ...) PURE;  STDMETHOD_(Type,Name)(THIS_ ...) PURE;
std::size_t ReadMethod(const std::vector<std::string>& t, std::size_t at, DeclaredInterface& target)
{
    DeclaredMethod method;
    std::size_t i = at + 2;
    if (t[at] == "STDMETHOD") {
        method.returnType = "HRESULT";
        method.name = i < t.size() ? t[i] : std::string();
        ++i;
    } else {
        std::size_t comma = i;
        while (comma < t.size() && t[comma] != ",") ++comma;
        method.returnType = Joined(t, i, comma);
        method.name = comma + 1 < t.size() ? t[comma + 1] : std::string();
        i = comma + 2;
    }
    while (i < t.size() && t[i] != "(") ++i;
    std::size_t close = i + 1;
    for (int depth = 1; close < t.size(); ++close) {
        if (t[close] == "(") ++depth;
        if (t[close] == ")" && --depth == 0) break;
    }
    method.parameters = ReadParameters(t, i + 1, close);
    target.methods.push_back(std::move(method));
    while (close < t.size() && t[close] != ";" && t[close] != "}") ++close;
    return close < t.size() && t[close] == "}" ? close - 1 : close;   // the caller must see the interface's "}"
}

std::size_t ReadInterface(const std::vector<std::string>& t, std::size_t at, HeaderDeclarations& out)
{
    // DECLARE_INTERFACE_(Name, Base) { ... };
    if (at + 2 >= t.size() || t[at + 1] != "(") return at + 1;
    DeclaredInterface declared;
    declared.name = t[at + 2];
    std::size_t i = at + 2;
    while (i < t.size() && t[i] != "{") ++i;
    int depth = 0;
    for (; i < t.size(); ++i) {
        if (t[i] == "{") ++depth;
        else if (t[i] == "}" && --depth == 0) break;
        else if ((t[i] == "STDMETHOD" || t[i] == "STDMETHOD_") && i + 1 < t.size() && t[i + 1] == "(")
            i = ReadMethod(t, i, declared);
    }
    if (!out.FindInterface(declared.name)) out.interfaces.push_back(std::move(declared));
    return i;
}

} // namespace

const DeclaredStruct* HeaderDeclarations::FindStruct(const std::string& nameOrTag) const
{
    for (const DeclaredStruct& s : structs)
        if (s.name == nameOrTag || s.tag == nameOrTag) return &s;
    return nullptr;
}

const DeclaredInterface* HeaderDeclarations::FindInterface(const std::string& name) const
{
    for (const DeclaredInterface& i : interfaces)
        if (i.name == name) return &i;
    return nullptr;
}

std::string HeaderDeclarations::PointerTypeOf(const std::string& type) const
{
    // Windows' own, which the DirectX headers use without declaring.
    if (type == "void" || type == "VOID")
        return "LPVOID";
    const auto found = pointerTypes.find(type);
    return found == pointerTypes.end() ? std::string() : found->second;
}

namespace {

// "typedef struct IDirect3DDevice9 *LPDIRECT3DDEVICE9, *PDIRECT3DDEVICE9;": the first
// pointer name is kept for the type pointed to.
void ReadPointerTypedef(const std::vector<std::string>& t, std::size_t at, std::map<std::string, std::string>& out)
{
    if (at < t.size() && (t[at] == "struct" || t[at] == "union"))
        ++at;
    if (at + 3 >= t.size() || !IsIdentifier(t[at]) || t[at + 1] != "*" || !IsIdentifier(t[at + 2]))
        return;
    if (t[at + 3] != ";" && t[at + 3] != ",")
        return;
    out.emplace(t[at], t[at + 2]);
}

// Where the declaration of `tag` stands in the header as written, from "struct TAG"
// to the first "} NAME": the layout differences the token reader smooths over show there.
void NoteSourceLayout(std::string_view raw, DeclaredStruct& declared)
{
    if (declared.tag.empty()) return;
    const std::string opening = "struct " + declared.tag;
    std::size_t start = 0;
    for (start = raw.find(opening); start != std::string_view::npos; start = raw.find(opening, start + 1)) {
        const std::size_t after = start + opening.size();
        if (after < raw.size() && !IsIdentifierChar(raw[after])) break;
    }
    if (start == std::string_view::npos) return;
    const std::size_t brace = raw.find('{', start);
    if (brace == std::string_view::npos) return;
    if (raw.substr(start, brace - start).find('\n') != std::string_view::npos)
        declared.adaptations.insert(declared.adaptations.begin(),
                                    {false, "'{' on a row of its own", "typedef struct " + declared.tag + " {",
                                     "the declaration's first row must hold the opening brace"});
    std::size_t end = brace;
    for (std::size_t at = raw.find(declared.name, brace); at != std::string_view::npos; at = raw.find(declared.name, at + 1)) {
        std::size_t before = at;
        while (before > brace && std::isspace(static_cast<unsigned char>(raw[before - 1]))) --before;
        if (before > brace && raw[before - 1] == '}') {
            end = at;
            break;
        }
    }
    const std::string_view body = raw.substr(brace, end - brace);
    if (body.find("/*") != std::string_view::npos || body.find("//") != std::string_view::npos)
        declared.adaptations.push_back({false, "comments inside the declaration", "the declaration without them",
                                        "a comment on a member row would become part of its name or open a union"});
}

} // namespace

HeaderDeclarations ReadHeader(std::string_view text)
{
    const std::vector<std::string> t = Tokenize(StripCommentsAndDirectives(text));
    HeaderDeclarations out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == "typedef")
            ReadPointerTypedef(t, i + 1, out.pointerTypes);
        if (t[i] == "DECLARE_INTERFACE_" || t[i] == "DECLARE_INTERFACE") {
            i = ReadInterface(t, i, out);
            continue;
        }
        // "struct TAG {" (typedef'd or not) outside any structure already read;
        // an 'extern "C" {' around the header does not count.
        if (t[i] != "struct") continue;
        std::string tag;
        std::size_t open = i + 1;
        if (open < t.size() && IsIdentifier(t[open])) tag = t[open++];
        if (open >= t.size() || t[open] != "{") continue;
        DeclaredStruct declared;
        declared.tag = tag;
        StructParser parser(t, declared);
        std::size_t after = parser.Body(open + 1, "", -1);
        while (after < t.size() && (t[after] == "*" || IsQualifier(t[after]))) ++after;
        if (after < t.size() && IsIdentifier(t[after])) declared.name = t[after];
        if (declared.name.empty()) declared.name = tag.starts_with("_") ? tag.substr(1) : tag;
        if (!declared.name.empty() && !out.FindStruct(declared.name)) {
            NoteSourceLayout(text, declared);
            out.structs.push_back(std::move(declared));
        }
        i = after;
        while (i < t.size() && t[i] != ";") ++i;
    }
    return out;
}

} // namespace velmora::convert

namespace velmora::convert {

HeaderDeclarations ReadHeaders(const std::vector<std::string>& texts)
{
    HeaderDeclarations all;
    for (const std::string& text : texts) {
        HeaderDeclarations one = ReadHeader(text);
        for (DeclaredStruct& s : one.structs)
            if (!all.FindStruct(s.name))
                all.structs.push_back(std::move(s));
        for (DeclaredInterface& i : one.interfaces)
            if (!all.FindInterface(i.name))
                all.interfaces.push_back(std::move(i));
        all.pointerTypes.merge(one.pointerTypes);
    }
    return all;
}

} // namespace velmora::convert
