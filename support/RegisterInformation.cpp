#include "support/RegisterInformation.h"

#include "support/RegistryKey.h"
#include "support/TarvoException.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

const wchar_t installationKey[] = L"Software\\Velt\\Tarvo\\Installation";
const wchar_t hydroKey[] = L"Software\\Velt\\Tarvo\\Hydro";
const wchar_t diversKey[] = L"Software\\Velt\\Tarvo\\Divers";
const wchar_t thermoKey[] = L"Software\\Velt\\Tarvo\\Thermo";
const wchar_t unitKey[] = L"Software\\Velt\\Tarvo\\Unit";
const wchar_t testsKey[] = L"Software\\Velt\\Tarvo\\Tests";
const wchar_t optionsKey[] = L"Software\\Qel\\Korvel\\OPTIONS";

// The HRESULT of a setting that cannot be read (REGDB_E_READREGDB).
const HRESULT registryReadError = static_cast<HRESULT>(0x80040150);

// Queries the value's data into data (resized to the number of bytes read). A value that grows between
// the size query and the read is read again with the new size.
LSTATUS readValueData(HKEY key, const wchar_t* valueName, DWORD& type, std::vector<BYTE>& data)
{
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &size);
    for (int attempt = 0; status == ERROR_SUCCESS && attempt < 8; ++attempt) {
        // One spare byte so that a buffer exists for an empty value.
        data.assign(size + 1, 0);
        DWORD read = size;
        status = RegQueryValueExW(key, valueName, nullptr, &type, data.data(), &read);
        if (status == ERROR_SUCCESS) {
            data.resize(std::min(read, size));
            return status;
        }
        if (status == ERROR_MORE_DATA) {
            size = read;
            status = ERROR_SUCCESS;
        }
    }
    return status == ERROR_SUCCESS ? ERROR_MORE_DATA : status;
}

// The data read as wide text: whole characters only, up to the first null character.
std::wstring textOf(const std::vector<BYTE>& data)
{
    const std::size_t characters = data.size() / sizeof(wchar_t);
    std::wstring text(characters, L'\0');
    std::copy(data.begin(), data.begin() + characters * sizeof(wchar_t), reinterpret_cast<BYTE*>(&text[0]));
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring::npos)
        text.resize(end);
    return text;
}

} // namespace

CRegisterInformation& CRegisterInformation::operator=(const CRegisterInformation&)
{
    return *this;
}

void CRegisterInformation::getRegistry(std::wstring& value, const wchar_t* keyPath, const wchar_t* valueName,
                                       unsigned long type)
{
    std::vector<BYTE> data;
    LSTATUS status = ERROR_SUCCESS;
    const ondivar::UniqueRegKey key =
        ondivar::UniqueRegKey::open(HKEY_CURRENT_USER, keyPath, KEY_READ, &status);
    if (key) {
        DWORD foundType = type;
        status = readValueData(key.get(), valueName, foundType, data);
    }
    if (status != ERROR_SUCCESS) {
        std::wstring message = L"Try to access key ";
        message += keyPath != nullptr ? keyPath : L"(null)";
        message += L"\\";
        message += valueName != nullptr ? valueName : L"(null)";
        message += L" in registry but it does not exist.\n";
        throw TarvoException::CMyException(registryReadError, L"Registry Error", L"%ls", message.c_str());
    }
    value = textOf(data);
}

void CRegisterInformation::getPath2PipeDTD(std::wstring& value)
{
    getRegistry(value, installationKey, L"PipeModXMLPath", REG_DWORD);
}
void CRegisterInformation::getPath2HydroDTD(std::wstring& value)
{
    getRegistry(value, installationKey, L"HydroModXMLPath", REG_DWORD);
}
void CRegisterInformation::getPath2IPDTD(std::wstring& value)
{
    getRegistry(value, installationKey, L"IPModXMLPath", REG_DWORD);
}
void CRegisterInformation::getHydroXML(std::wstring& value)
{
    getRegistry(value, hydroKey, L"XMLConfig", REG_DWORD);
}
void CRegisterInformation::getTraceDirectory(std::wstring& value)
{
    getRegistry(value, diversKey, L"TempDirectory", REG_DWORD);
}
void CRegisterInformation::getTraceMode(std::wstring& value)
{
    getRegistry(value, diversKey, L"Trace", REG_SZ);
}
void CRegisterInformation::getInitialisationMode(std::wstring& value)
{
    getRegistry(value, diversKey, L"Initialisation", REG_SZ);
}
void CRegisterInformation::getOlgaPath(std::wstring& value)
{
    getRegistry(value, hydroKey, L"OlgaPath", REG_SZ);
}
void CRegisterInformation::getLiquidPhaseName(std::wstring& value)
{
    getRegistry(value, thermoKey, L"LiquidPhaseName", REG_SZ);
}
void CRegisterInformation::getVaporPhaseName(std::wstring& value)
{
    getRegistry(value, thermoKey, L"VaporPhaseName", REG_SZ);
}
void CRegisterInformation::getWaterPhaseName(std::wstring& value)
{
    getRegistry(value, thermoKey, L"WaterPhaseName", REG_SZ);
}
void CRegisterInformation::getMixtureFileName(std::wstring& value)
{
    getRegistry(value, thermoKey, L"fileName", REG_SZ);
}
void CRegisterInformation::getTestMixtureFileName(std::wstring& value)
{
    getRegistry(value, thermoKey, L"TestfileName", REG_SZ);
}
void CRegisterInformation::getTestWaterMixtureFileName(std::wstring& value)
{
    getRegistry(value, thermoKey, L"TestWater", REG_SZ);
}
void CRegisterInformation::getHPipeFileName(std::wstring& value)
{
    getRegistry(value, unitKey, L"HPipeFileName", REG_SZ);
}
void CRegisterInformation::getVPipeFileName(std::wstring& value)
{
    getRegistry(value, unitKey, L"VPipeFileName", REG_SZ);
}
void CRegisterInformation::getTestDataDirectory(std::wstring& value)
{
    getRegistry(value, testsKey, L"TestDataDirectory", REG_SZ);
}
void CRegisterInformation::getThermoDirectory(std::wstring& value)
{
    getRegistry(value, testsKey, L"ThermoDirectory", REG_SZ);
}
void CRegisterInformation::getWorkingDirectory(std::wstring& value)
{
    getRegistry(value, optionsKey, L"Working Directory", REG_SZ);
}
