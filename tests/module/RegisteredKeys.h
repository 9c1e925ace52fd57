// What registering Ondivar.dll writes under a classes root (HKEY_CLASSES_ROOT or a stand-in for it),
// and checks that all of it is there, or none of it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ondivar::testing {

// A key the registration writes under the classes root, with one of its string values (valueName ""
// for the default value), or the key alone (valueName null).
struct ExpectedEntry {
    std::wstring key;
    const wchar_t* valueName;
    std::wstring text;
};

// Every key and value of the two registration scripts, with the DLL at modulePath.
std::vector<ExpectedEntry> scriptEntries(const std::wstring& modulePath);

// The keys that registration creates beside the scripts': the type library and the marshalled
// interfaces with their proxy/stub class.
std::vector<ExpectedEntry> typeLibraryAndMarshallingEntries(const std::wstring& modulePath);

// Every key that removal deletes, with everything beneath it.
std::vector<std::wstring> removedKeys();

// All entries of scriptEntries and typeLibraryAndMarshallingEntries are under classesRoot.
::testing::AssertionResult holdsRegistration(HKEY classesRoot, const std::wstring& modulePath);
// None of the removedKeys is under classesRoot.
::testing::AssertionResult holdsNoRegistration(HKEY classesRoot);

} // namespace ondivar::testing
