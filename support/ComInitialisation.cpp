#include "support/ComInitialisation.h"

#include "support/RegisterInformation.h"
#include "support/CapeErrorClasses.h"
#include "support/TarvoException.h"

#include <objbase.h>

#include <cwchar>
#include <string>

namespace ondivar {

namespace {

// CO_E_INIT_TLS_SET_CHANNEL_CONTROL: the code this library reports for a COM initialisation failure.
constexpr HRESULT initialisationFailure = libraryCode(kCapeFailedInitialisation);

} // namespace

bool initializeCOM()
{
    std::wstring mode;
    try {
        CRegisterInformation::getInitialisationMode(mode);
    } catch (const TarvoException::CMyException&) {
        return false;
    }

    if (_wcsicmp(mode.c_str(), L"multithread") == 0 &&
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return true;
    if (_wcsicmp(mode.c_str(), L"speedovermemory") == 0 &&
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_SPEED_OVER_MEMORY)))
        return true;
    if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return true;

    throw TarvoException::CMyException(initialisationFailure, L"Initialization error.",
                                       L"Fail to initialize the COM library.\n");
}

HRESULT prepareVariant(VARIANT* source, VARIANT* destination, VARTYPE type)
{
    if (source == nullptr || destination == nullptr)
        return E_POINTER;
    if (V_VT(source) != type)
        throw TarvoException::CMyException(initialisationFailure, L"Invalid Type.",
                                           L"Fail to convert type. Please contact support.\n");

    const HRESULT result = V_VT(destination) != VT_EMPTY ? static_cast<HRESULT>(0x00040014) : S_OK;
    VariantClear(destination);
    V_VT(destination) = type;
    if (type == VT_BSTR)
        V_BSTR(destination) = nullptr;
    else if ((type & VT_ARRAY) != 0)
        V_ARRAY(destination) = nullptr;
    return result;
}

} // namespace ondivar
