// ondivar-typelib-rewrite SOURCE.tlb OUTPUT.tlb IMPORTED.tlb...
// Writes OUTPUT.tlb: SOURCE.tlb with every type that belongs to one of the IMPORTED libraries turned into
// a reference into that library. Runs under Wine at build time, with the bitness of the library.
#include "tools/typelib/TypeLibRewriter.h"
#include "tools/typelib/WidlText.h"
#include "support/StringConversion.h"

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using ondivar::ComPtr;
using ondivar::wideToUtf8;
using ondivar::typelib::RewriteError;

ComPtr<ITypeLib> load(const wchar_t* path)
{
    ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, library.put());
    if (FAILED(hr))
        throw RewriteError("cannot load " + wideToUtf8(path), hr);
    return library;
}

// The library's strings are stored in the ANSI code page of the process that writes it; readers decode
// them with theirs. Refuse to write them in a code page that is not the one of the library's locale.
void checkCodePageFits(ITypeLib* library)
{
    TLIBATTR* attr = nullptr;
    if (FAILED(library->GetLibAttr(&attr)))
        return;
    const LCID lcid = attr->lcid;
    library->ReleaseTLibAttr(attr);
    if (lcid == 0)
        return;
    UINT codePage = 0;
    if (GetLocaleInfoW(lcid, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)) != 0 &&
        codePage != 0 && codePage != GetACP())
        throw RewriteError("the library's locale uses code page " + std::to_string(codePage) +
                               " but this process writes code page " + std::to_string(GetACP()),
                           S_OK);
}

} // namespace

int main()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 4) {
        std::fputs("usage: ondivar-typelib-rewrite SOURCE.tlb OUTPUT.tlb IMPORTED.tlb...\n", stderr);
        return 2;
    }
    int status = 0;
    try {
        ComPtr<ITypeLib> source = load(argv[1]);
        checkCodePageFits(source.get());
        std::vector<ComPtr<ITypeLib>> imported;
        for (int i = 3; i < argc; ++i)
            imported.push_back(load(argv[i]));
        ondivar::typelib::TypeLibRewriter(source, imported).write(argv[2]);
    } catch (const RewriteError& e) {
        std::fprintf(stderr, "ondivar-typelib-rewrite: %s (0x%08lX)\n", e.what(),
                     static_cast<unsigned long>(e.hr()));
        DeleteFileW(argv[2]);
        status = 1;
    }
    LocalFree(argv);
    return status;
}
