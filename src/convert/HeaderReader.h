#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::convert {

// A change made while reading the header, reported with the item it belongs to.
struct Adaptation {
    bool ofMember = false; // a member's row, not the declaration as a whole
    std::string had;
    std::string wrote;
    std::string why;
};

// One member of a structure declaration, nested structures flattened.
struct DeclaredMember {
    std::string type;        // "DWORD", "LPVOID", "WORD[256]" (array bounds go with the type)
    std::string name;        // "dwSize"; "MultiSampleCaps.wFlipMSTypes" inside a nested structure
    int unionGroup = -1;     // members of one (outermost) union share a number
};

struct DeclaredStruct {
    std::string tag;         // "_DDCOLORKEY"
    std::string name;        // "DDCOLORKEY": the first name after the closing brace
    std::vector<DeclaredMember> members;
    std::vector<Adaptation> adaptations;
    std::string unrepresentable;   // why the declaration does not fit the layout, if it does not
};

struct DeclaredParameter {
    std::string type;        // "LPRECT", "void"
    std::string modifier;    // "", "*", "FAR *", "**"
    std::string name;        // empty where the header gives types only
};

struct DeclaredMethod {
    std::string name;
    std::string returnType;  // "HRESULT", "ULONG"
    std::vector<DeclaredParameter> parameters;
};

struct DeclaredInterface {
    std::string name;
    std::vector<DeclaredMethod> methods;   // in declaration order, inherited IUnknown ones included
};

// The declarations of an SDK header (the SDK's own ddraw.h or Wine's): structures
// by tag and by name, interfaces by name. Preprocessor rows and comments are no part of them.
struct HeaderDeclarations {
    std::vector<DeclaredStruct> structs;
    std::vector<DeclaredInterface> interfaces;
    // Pointer types by what they point to: "IDirect3DDevice9" -> "LPDIRECT3DDEVICE9"
    // (typedef struct IDirect3DDevice9 *LPDIRECT3DDEVICE9;), the first declared.
    std::map<std::string, std::string> pointerTypes;

    const DeclaredStruct* FindStruct(const std::string& nameOrTag) const;
    const DeclaredInterface* FindInterface(const std::string& name) const;
    // The pointer type to `type`, "LPVOID" for void; empty when none is declared.
    std::string PointerTypeOf(const std::string& type) const;
};

HeaderDeclarations ReadHeader(std::string_view text);
// Several headers as one: a family's structures may be declared over two. Where
// two declare the same name, the first header given wins.
HeaderDeclarations ReadHeaders(const std::vector<std::string>& texts);

} // namespace velmora::convert
