// ondivar-regtlb register|unregister FILE.tlb
// Registers a type library file for the machine (or removes its registration), as a host's installer
// does for the CAPE-OPEN 1.1 library.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <cwchar>

int main()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 3 ||
        (wcscmp(argv[1], L"register") != 0 && wcscmp(argv[1], L"unregister") != 0)) {
        std::fputs("usage: ondivar-regtlb register|unregister FILE.tlb\n", stderr);
        return 2;
    }
    const bool registering = wcscmp(argv[1], L"register") == 0;
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(argv[2], REGKIND_NONE, &library);
    if (SUCCEEDED(hr)) {
        if (registering) {
            hr = RegisterTypeLib(library, argv[2], nullptr);
        } else {
            TLIBATTR* attributes = nullptr;
            hr = library->GetLibAttr(&attributes);
            if (SUCCEEDED(hr)) {
                hr = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                                       attributes->lcid, attributes->syskind);
                library->ReleaseTLibAttr(attributes);
            }
        }
        library->Release();
    }
    if (FAILED(hr))
        std::fprintf(stderr, "ondivar-regtlb: %ls %ls failed: 0x%08lX\n", argv[1], argv[2],
                     static_cast<unsigned long>(hr));
    LocalFree(argv);
    return FAILED(hr) ? 1 : 0;
}
