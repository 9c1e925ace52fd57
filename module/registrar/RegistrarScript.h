// The registrar's script language: the text of a REGISTRY resource, read into a tree of keys before
// anything is written. A script is a list of root blocks, each a predefined key and the keys beneath it:
//
//     HKCR
//     {
//         NoRemove CLSID
//         {
//             ForceRemove {clsid} = s 'Description'
//             {
//                 InprocServer32 = s '%MODULE%'
//                 {
//                     val ThreadingModel = s 'Apartment'
//                 }
//             }
//         }
//     }
//
// Tokens are separated by white space; a token in single quotes may hold white space, and '' inside it
// stands for one quote. A key is [NoRemove | ForceRemove] name [= s 'default value'] [{ body }]; a body
// holds keys and named values (val name = s 'text'). Only string values (s) are known. %NAME% in any
// token is replaced by the replacement NAME (names compare without regard to case), %% by %; the
// replaced text is never read as script syntax.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ondivar::registrar {

// What the registrar answers for a script it cannot read: a syntax error, an unknown replacement, a
// construct it does not know. Nothing has been written when it is returned.
constexpr HRESULT kScriptError = DISP_E_EXCEPTION;

enum class KeyMark {
    None,        // created on registration; deleted on removal once nothing else remains in it
    NoRemove,    // created when missing; never deleted (only what the script lists beneath it is)
    ForceRemove, // deleted with everything beneath it before it is written, and on removal
};

enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users };

struct NamedValue {
    std::wstring name;
    std::wstring text;
};

struct ScriptKey {
    KeyMark mark = KeyMark::None;
    std::wstring name;
    std::optional<std::wstring> defaultValue;
    std::vector<NamedValue> values;
    std::vector<ScriptKey> subkeys;
};

struct ScriptRoot {
    RootKey root = RootKey::ClassesRoot;
    std::vector<ScriptKey> keys;
};

struct ParsedScript {
    std::vector<ScriptRoot> roots;
};

// Replacement name (without the percent signs) to its text.
using Replacements = std::map<std::wstring, std::wstring>;

// Reads `text` into `script`. S_OK, or kScriptError with a message naming the line in `error`;
// E_OUTOFMEMORY when memory runs out.
HRESULT parseScript(const std::wstring& text, const Replacements& replacements, ParsedScript& script,
                    std::wstring* error = nullptr) noexcept;

} // namespace ondivar::registrar
