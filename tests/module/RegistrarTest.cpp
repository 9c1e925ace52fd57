// The registrar's script language, run against a private key standing in for HKEY_CLASSES_ROOT.
#include "module/registrar/Registrar.h"
#include "tests/common/PrivateRegistry.h"
#include "tests/module/RegistrySnapshot.h"

#include <gtest/gtest.h>

namespace {

using namespace ondivar::registrar;
using ondivar::testing::RegistrySnapshot;

class RegistrarTest : public ::testing::Test {
protected:
    RegistrarTest() { m_roots.classesRoot = m_root.key(); }

    HRESULT run(const std::wstring& script, ScriptMode mode, std::wstring* error = nullptr)
    {
        return runScript(script, m_replacements, mode, m_roots, error);
    }
    RegistrySnapshot read(const std::wstring& path) const { return RegistrySnapshot(m_root.key(), path); }
    bool exists(const std::wstring& path) const { return read(path).exists(); }
    void write(const wchar_t* key, const wchar_t* name, const wchar_t* text)
    {
        ASSERT_EQ(ERROR_SUCCESS, m_root.writeText(key, name, text));
    }

    ondivar::testing::PrivateHive m_root{L"module-registrar"};
    RegistryRoots m_roots;
    // A module path holding the script's own quote and braces: replaced text is never syntax.
    Replacements m_replacements = {{L"MODULE", L"C:\\O'Brien {x}\\a.dll"},
                                   {L"APPID", L"{A2F96C13-7B58-4E0A-8D4C-51E3B09F7D26}"}};
};

const wchar_t* const kScript = LR"(HKCR
{
    NoRemove Shared
    {
        'Plain Key' = s 'default'
        {
            val Named = s 'it''s %MODULE%'
            Sub
        }
        Bare = s 'x'
        {
            val V = s 'y'
        }
        ForceRemove Forced = s '%APPID%'
        {
            Inner = s '100%%'
        }
    }
})";

TEST_F(RegistrarTest, RegistersAndRemovesByTheMarks)
{
    write(L"Shared\\Forced\\Stale", L"", L"from before");

    ASSERT_EQ(S_OK, run(kScript, ScriptMode::Register));
    EXPECT_EQ(L"default", read(L"Shared\\Plain Key").value(L"", L""));
    EXPECT_EQ(L"it's C:\\O'Brien {x}\\a.dll", read(L"Shared\\Plain Key").value(L"", L"Named"));
    EXPECT_TRUE(exists(L"Shared\\Plain Key\\Sub"));
    EXPECT_EQ(L"y", read(L"Shared\\Bare").value(L"", L"V"));
    EXPECT_EQ(L"{A2F96C13-7B58-4E0A-8D4C-51E3B09F7D26}", read(L"Shared\\Forced").value(L"", L""));
    EXPECT_EQ(L"100%", read(L"Shared\\Forced\\Inner").value(L"", L""));
    EXPECT_FALSE(exists(L"Shared\\Forced\\Stale")) << "a ForceRemove key is emptied before it is written";

    const RegistrySnapshot once = read(L"Shared");
    ASSERT_EQ(S_OK, run(kScript, ScriptMode::Register));
    EXPECT_EQ(once, read(L"Shared"));

    // What others put there decides what stays.
    write(L"Shared\\Foreign", L"", L"theirs");
    write(L"Shared\\Plain Key", L"Other", L"theirs");
    write(L"Shared\\Forced\\Extra", L"", L"theirs");
    ASSERT_EQ(S_OK, run(kScript, ScriptMode::Unregister));
    EXPECT_TRUE(exists(L"Shared")) << "NoRemove";
    EXPECT_TRUE(exists(L"Shared\\Foreign"));
    EXPECT_FALSE(exists(L"Shared\\Forced")) << "ForceRemove goes with everything beneath it";
    EXPECT_FALSE(exists(L"Shared\\Bare"));
    const RegistrySnapshot plain = read(L"Shared\\Plain Key");
    EXPECT_TRUE(plain.exists()) << "it still holds another value";
    EXPECT_EQ(L"theirs", plain.value(L"", L"Other"));
    EXPECT_EQ(L"", plain.value(L"", L"Named"));
    EXPECT_FALSE(exists(L"Shared\\Plain Key\\Sub"));

    // Removing again finds nothing to remove.
    EXPECT_EQ(S_OK, run(kScript, ScriptMode::Unregister));
}

TEST_F(RegistrarTest, ScriptItCannotReadWritesNothing)
{
    // Each starts with a key the registrar could write.
    const std::wstring start = L"HKCR { Written = s 'x' ";
    const std::wstring broken[] = {
        start + L"Key = d '1' }",
        start + L"Key = s 'unterminated }",
        start + L"Key { }",
        start + L"} HKXX { }",
        start + L"Key = s '%NOPE%' }",
        start + L"val V = s 'y' }",
        start + L"Delete Key }",
        start + L"Ke'y }",
        start + L"'a\\b' }",
        start + L"Key = s }",
        start + L"'Key'x }",
        start + L"Key = s '50%' }",
        start + L"NoRemove = s 'x' }",
        start + L"Key = 'x' }",
        start,
        L"",
        L"Written = s 'x'",
    };
    for (const std::wstring& script : broken) {
        for (ScriptMode mode : {ScriptMode::Register, ScriptMode::Unregister}) {
            std::wstring error;
            EXPECT_EQ(kScriptError, run(script, mode, &error)) << ::testing::PrintToString(script);
            EXPECT_FALSE(error.empty());
            EXPECT_FALSE(exists(L"Written")) << ::testing::PrintToString(script);
        }
    }

    std::wstring error;
    EXPECT_EQ(kScriptError, run(L"HKCR\n{\n  Key = x 'y'\n}", ScriptMode::Register, &error));
    EXPECT_NE(std::wstring::npos, error.find(L"line 3")) << ::testing::PrintToString(error);
}

} // namespace
