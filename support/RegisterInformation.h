// Settings of the product suite, read from the current user's registry. Every getter returns one value
// as text or throws TarvoException::CMyException ("Registry Error") when the key or the value is missing
// or cannot be read; none has a default.
#pragma once

#include "support/OndivarApi.h"

#include <string>

class ONDIVAR_API CRegisterInformation {
public:
    // Copies nothing: the class has no data.
    CRegisterInformation& operator=(const CRegisterInformation& other);

    static void getPath2PipeDTD(std::wstring& value);
    static void getPath2HydroDTD(std::wstring& value);
    static void getPath2IPDTD(std::wstring& value);
    static void getHydroXML(std::wstring& value);
    static void getTraceDirectory(std::wstring& value);
    static void getTraceMode(std::wstring& value);
    static void getInitialisationMode(std::wstring& value);
    static void getOlgaPath(std::wstring& value);
    static void getLiquidPhaseName(std::wstring& value);
    static void getVaporPhaseName(std::wstring& value);
    static void getWaterPhaseName(std::wstring& value);
    static void getMixtureFileName(std::wstring& value);
    static void getTestMixtureFileName(std::wstring& value);
    static void getTestWaterMixtureFileName(std::wstring& value);
    static void getHPipeFileName(std::wstring& value);
    static void getVPipeFileName(std::wstring& value);
    static void getTestDataDirectory(std::wstring& value);
    static void getThermoDirectory(std::wstring& value);
    static void getWorkingDirectory(std::wstring& value);

private:
    // Reads valueName under HKEY_CURRENT_USER\keyPath as wide text, whatever its registry type, up to its
    // first null character or the end of its data. type only receives the registry type found. On
    // failure value is left unchanged.
    static void getRegistry(std::wstring& value, const wchar_t* keyPath, const wchar_t* valueName,
                            unsigned long type);
};
