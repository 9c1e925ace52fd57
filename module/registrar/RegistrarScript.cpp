#include "module/registrar/RegistrarScript.h"

#include <cwctype>
#include <new>
#include <utility>

namespace ondivar::registrar {
namespace {

// A failure to read the script, with what was wrong and where.
struct SyntaxError {
    std::wstring message;
};

struct Token {
    std::wstring text;
    bool quoted = false;
    int line = 1;
};

bool isBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v';
}

bool equalsNoCase(const std::wstring& a, const wchar_t* b)
{
    return _wcsicmp(a.c_str(), b) == 0;
}

std::wstring atLine(int line, const std::wstring& message)
{
    return L"line " + std::to_wstring(line) + L": " + message;
}

// %NAME% becomes its replacement, %% a percent sign.
std::wstring replace(const std::wstring& text, const Replacements& replacements, int line)
{
    std::wstring result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            result += text[i];
            continue;
        }
        const std::size_t end = text.find(L'%', i + 1);
        if (end == std::wstring::npos)
            throw SyntaxError{atLine(line, L"a '%' without its closing '%' in \"" + text + L"\"")};
        const std::wstring name = text.substr(i + 1, end - i - 1);
        if (name.empty()) {
            result += L'%';
        } else {
            bool found = false;
            for (const auto& [key, value] : replacements) {
                if (_wcsicmp(key.c_str(), name.c_str()) == 0) {
                    result += value;
                    found = true;
                    break;
                }
            }
            if (!found)
                throw SyntaxError{atLine(line, L"no replacement for %" + name + L"%")};
        }
        i = end;
    }
    return result;
}

std::vector<Token> tokenize(const std::wstring& text, const Replacements& replacements)
{
    std::vector<Token> tokens;
    int line = 1;
    std::size_t i = 0;
    // A byte-order mark is not part of the script.
    if (!text.empty() && text[0] == 0xFEFF)
        i = 1;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            if (text[i] == L'\n')
                ++line;
            ++i;
            continue;
        }
        Token token;
        token.line = line;
        std::wstring raw;
        if (text[i] == L'\'') {
            token.quoted = true;
            ++i;
            for (;;) {
                if (i >= text.size())
                    throw SyntaxError{atLine(token.line, L"a quoted text without its closing quote")};
                if (text[i] == L'\'') {
                    if (i + 1 < text.size() && text[i + 1] == L'\'') {
                        raw += L'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == L'\n')
                    ++line;
                raw += text[i++];
            }
            if (i < text.size() && !isBlank(text[i]))
                throw SyntaxError{atLine(line, L"no white space after the quoted text '" + raw + L"'")};
        } else {
            while (i < text.size() && !isBlank(text[i])) {
                if (text[i] == L'\'')
                    throw SyntaxError{atLine(line, L"a quote inside the word \"" + raw + L"\"")};
                raw += text[i++];
            }
        }
        token.text = replace(raw, replacements, token.line);
        tokens.push_back(std::move(token));
    }
    return tokens;
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    ParsedScript script()
    {
        ParsedScript result;
        while (!atEnd())
            result.roots.push_back(root());
        if (result.roots.empty())
            throw SyntaxError{L"the script holds no root key"};
        return result;
    }

private:
    bool atEnd() const { return m_next >= m_tokens.size(); }

    const Token& peek(const wchar_t* expected) const
    {
        if (atEnd())
            throw SyntaxError{L"the script ends where " + std::wstring(expected) + L" was expected"};
        return m_tokens[m_next];
    }

    const Token& take(const wchar_t* expected)
    {
        const Token& token = peek(expected);
        ++m_next;
        return token;
    }

    // An unquoted word that is exactly `symbol` (a brace, the equals sign, a keyword).
    bool isSymbol(const wchar_t* symbol) const
    {
        return !atEnd() && !m_tokens[m_next].quoted && equalsNoCase(m_tokens[m_next].text, symbol);
    }

    void expect(const wchar_t* symbol)
    {
        const Token& token = take(symbol);
        if (token.quoted || !equalsNoCase(token.text, symbol))
            throw SyntaxError{atLine(token.line, L"'" + std::wstring(symbol) + L"' expected, found \"" +
                                                     token.text + L"\"")};
    }

    ScriptRoot root()
    {
        const Token& name = take(L"a root key");
        ScriptRoot result;
        if (name.quoted)
            throw SyntaxError{atLine(name.line, L"a root key expected, found '" + name.text + L"'")};
        if (equalsNoCase(name.text, L"HKCR") || equalsNoCase(name.text, L"HKEY_CLASSES_ROOT"))
            result.root = RootKey::ClassesRoot;
        else if (equalsNoCase(name.text, L"HKCU") || equalsNoCase(name.text, L"HKEY_CURRENT_USER"))
            result.root = RootKey::CurrentUser;
        else if (equalsNoCase(name.text, L"HKLM") || equalsNoCase(name.text, L"HKEY_LOCAL_MACHINE"))
            result.root = RootKey::LocalMachine;
        else if (equalsNoCase(name.text, L"HKU") || equalsNoCase(name.text, L"HKEY_USERS"))
            result.root = RootKey::Users;
        else
            throw SyntaxError{atLine(name.line, L"unknown root key \"" + name.text + L"\"")};
        expect(L"{");
        while (!isSymbol(L"}")) {
            if (isSymbol(L"val"))
                throw SyntaxError{atLine(peek(L"a key").line, L"a named value directly under a root key")};
            result.keys.push_back(key());
        }
        expect(L"}");
        return result;
    }

    // = s 'text'
    std::wstring stringValue()
    {
        expect(L"=");
        const Token& type = take(L"a value type");
        if (type.quoted || !equalsNoCase(type.text, L"s"))
            throw SyntaxError{
                atLine(type.line, L"only string values (s) are known, found \"" + type.text + L"\"")};
        const Token& text = take(L"a value");
        // Braces and '=' are syntax unless quoted; anything else unquoted is a value as it stands.
        if (!text.quoted && (text.text == L"{" || text.text == L"}" || text.text == L"="))
            throw SyntaxError{atLine(text.line, L"a value expected, found \"" + text.text + L"\"")};
        return text.text;
    }

    std::wstring keyName(const wchar_t* what)
    {
        const Token& name = take(what);
        if (!name.quoted) {
            for (const wchar_t* word : {L"{", L"}", L"=", L"val", L"NoRemove", L"ForceRemove", L"Delete"}) {
                if (equalsNoCase(name.text, word))
                    throw SyntaxError{
                        atLine(name.line, std::wstring(what) + L" expected, found \"" + name.text + L"\"")};
            }
        }
        if (name.text.empty() || name.text.size() > 255 || name.text.find(L'\\') != std::wstring::npos)
            throw SyntaxError{
                atLine(name.line, L"\"" + name.text + L"\" cannot name a registry key or value")};
        return name.text;
    }

    ScriptKey key()
    {
        ScriptKey result;
        if (isSymbol(L"NoRemove")) {
            result.mark = KeyMark::NoRemove;
            ++m_next;
        } else if (isSymbol(L"ForceRemove")) {
            result.mark = KeyMark::ForceRemove;
            ++m_next;
        }
        result.name = keyName(L"a key name");
        if (isSymbol(L"="))
            result.defaultValue = stringValue();
        if (!isSymbol(L"{"))
            return result;
        ++m_next;
        while (!isSymbol(L"}")) {
            if (isSymbol(L"val")) {
                ++m_next;
                NamedValue value;
                value.name = keyName(L"a value name");
                value.text = stringValue();
                result.values.push_back(std::move(value));
            } else {
                result.subkeys.push_back(key());
            }
        }
        expect(L"}");
        return result;
    }

    std::vector<Token> m_tokens;
    std::size_t m_next = 0;
};

} // namespace

HRESULT parseScript(const std::wstring& text, const Replacements& replacements, ParsedScript& script,
                    std::wstring* error) noexcept
{
    try {
        script = Parser(tokenize(text, replacements)).script();
        return S_OK;
    } catch (const SyntaxError& failure) {
        if (error != nullptr) {
            try {
                *error = failure.message;
            } catch (...) {
            }
        }
        return kScriptError;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace ondivar::registrar
