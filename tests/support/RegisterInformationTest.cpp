#include "support/RegisterInformation.h"

#include "CapeErrorExpectations.h"
#include "SuiteSettings.h"

#include <gtest/gtest.h>

using ondivar::testing::captureError;
using ondivar::testing::expectError;

namespace {

const wchar_t diversKey[] = L"Software\\Velt\\Tarvo\\Divers";
const wchar_t installationKey[] = L"Software\\Velt\\Tarvo\\Installation";

class RegisterInformationTest : public ::testing::Test {
protected:
    ondivar::testing::SuiteSettingsLock m_lock;
    ondivar::testing::SuiteSettings m_settings;
};

using Getter = void (*)(std::wstring&);

struct GetterRow {
    Getter getter;
    const wchar_t* keyPath;
    const wchar_t* valueName;
};

// Every getter of the class with the key and value it reads.
const GetterRow getterTable[] = {
    {&CRegisterInformation::getPath2PipeDTD, installationKey, L"PipeModXMLPath"},
    {&CRegisterInformation::getPath2HydroDTD, installationKey, L"HydroModXMLPath"},
    {&CRegisterInformation::getPath2IPDTD, installationKey, L"IPModXMLPath"},
    {&CRegisterInformation::getHydroXML, L"Software\\Velt\\Tarvo\\Hydro", L"XMLConfig"},
    {&CRegisterInformation::getTraceDirectory, diversKey, L"TempDirectory"},
    {&CRegisterInformation::getTraceMode, diversKey, L"Trace"},
    {&CRegisterInformation::getInitialisationMode, diversKey, L"Initialisation"},
    {&CRegisterInformation::getOlgaPath, L"Software\\Velt\\Tarvo\\Hydro", L"OlgaPath"},
    {&CRegisterInformation::getLiquidPhaseName, L"Software\\Velt\\Tarvo\\Thermo", L"LiquidPhaseName"},
    {&CRegisterInformation::getVaporPhaseName, L"Software\\Velt\\Tarvo\\Thermo", L"VaporPhaseName"},
    {&CRegisterInformation::getWaterPhaseName, L"Software\\Velt\\Tarvo\\Thermo", L"WaterPhaseName"},
    {&CRegisterInformation::getMixtureFileName, L"Software\\Velt\\Tarvo\\Thermo", L"fileName"},
    {&CRegisterInformation::getTestMixtureFileName, L"Software\\Velt\\Tarvo\\Thermo", L"TestfileName"},
    {&CRegisterInformation::getTestWaterMixtureFileName, L"Software\\Velt\\Tarvo\\Thermo", L"TestWater"},
    {&CRegisterInformation::getHPipeFileName, L"Software\\Velt\\Tarvo\\Unit", L"HPipeFileName"},
    {&CRegisterInformation::getVPipeFileName, L"Software\\Velt\\Tarvo\\Unit", L"VPipeFileName"},
    {&CRegisterInformation::getTestDataDirectory, L"Software\\Velt\\Tarvo\\Tests", L"TestDataDirectory"},
    {&CRegisterInformation::getThermoDirectory, L"Software\\Velt\\Tarvo\\Tests", L"ThermoDirectory"},
    {&CRegisterInformation::getWorkingDirectory, L"Software\\Qel\\Korvel\\OPTIONS", L"Working Directory"},
};

TEST_F(RegisterInformationTest, EachGetterReadsItsOwnKeyAndValue)
{
    // A distinct text per getter, all written first, so that a getter reading a neighbour's value fails.
    for (const GetterRow& row : getterTable)
        ASSERT_EQ(ERROR_SUCCESS, m_settings.writeText(row.keyPath, row.valueName,
                                                      std::wstring(L"text of ") + row.valueName));
    for (const GetterRow& row : getterTable) {
        std::wstring value;
        row.getter(value);
        EXPECT_EQ(std::wstring(L"text of ") + row.valueName, value);
    }
}

TEST_F(RegisterInformationTest, MissingKeyOrValueThrowsRegistryErrorAndKeepsOutput)
{
    // Key absent altogether.
    std::wstring value = L"unchanged";
    expectError(
        captureError([&] { CRegisterInformation::getTraceMode(value); }), 0x80040150, L"Registry Error",
        L"Try to access key Software\\Velt\\Tarvo\\Divers\\Trace in registry but it does not exist.\n");
    EXPECT_EQ(L"unchanged", value);

    // Key present, value absent.
    ASSERT_EQ(ERROR_SUCCESS, m_settings.writeText(diversKey, L"TempDirectory", L"C:\\temp"));
    expectError(
        captureError([&] { CRegisterInformation::getInitialisationMode(value); }), 0x80040150,
        L"Registry Error",
        L"Try to access key Software\\Velt\\Tarvo\\Divers\\Initialisation in registry but it does not "
        L"exist.\n");
    EXPECT_EQ(L"unchanged", value);
}

TEST_F(RegisterInformationTest, EmptyTextAndDeclaredTypeOfTheGetter)
{
    std::wstring value = L"previous";
    ASSERT_EQ(ERROR_SUCCESS, m_settings.writeText(diversKey, L"Initialisation", L""));
    CRegisterInformation::getInitialisationMode(value);
    EXPECT_EQ(L"", value);

    // Declared as a DWORD setting, stored as text: read as text all the same.
    ASSERT_EQ(ERROR_SUCCESS, m_settings.writeText(installationKey, L"PipeModXMLPath", L"C:\\dtd\\pipe.dtd"));
    CRegisterInformation::getPath2PipeDTD(value);
    EXPECT_EQ(L"C:\\dtd\\pipe.dtd", value);

    // A value of no data at all.
    ASSERT_EQ(ERROR_SUCCESS, m_settings.writeRaw(diversKey, L"Trace", REG_BINARY, nullptr, 0));
    value = L"previous";
    CRegisterInformation::getTraceMode(value);
    EXPECT_EQ(L"", value);
}

TEST_F(RegisterInformationTest, DataWithoutTerminatorOrOfOddSizeIsReadWithinItsBytes)
{
    std::wstring value;
    const wchar_t text[] = L"multithreadXYZ";

    // Eleven characters, no terminating null.
    ASSERT_EQ(ERROR_SUCCESS,
              m_settings.writeRaw(diversKey, L"Initialisation", REG_SZ, text, 11 * sizeof(wchar_t)));
    CRegisterInformation::getInitialisationMode(value);
    EXPECT_EQ(L"multithread", value);

    // Eleven characters and half of the twelfth: the stray byte is no character.
    ASSERT_EQ(ERROR_SUCCESS,
              m_settings.writeRaw(diversKey, L"Trace", REG_BINARY, text, 11 * sizeof(wchar_t) + 1));
    CRegisterInformation::getTraceMode(value);
    EXPECT_EQ(L"multithread", value);

    // A single byte: not even one character.
    ASSERT_EQ(ERROR_SUCCESS, m_settings.writeRaw(diversKey, L"TempDirectory", REG_BINARY, text, 1));
    CRegisterInformation::getTraceDirectory(value);
    EXPECT_EQ(L"", value);

    // Text stops at the first null even when data follows.
    const wchar_t twoParts[] = L"first\0second";
    ASSERT_EQ(ERROR_SUCCESS,
              m_settings.writeRaw(diversKey, L"Trace", REG_MULTI_SZ, twoParts, sizeof(twoParts)));
    CRegisterInformation::getTraceMode(value);
    EXPECT_EQ(L"first", value);
}

TEST_F(RegisterInformationTest, LongValueIsReadWhole)
{
    const std::wstring longText(5000, L'p');
    ASSERT_EQ(ERROR_SUCCESS,
              m_settings.writeText(L"Software\\Qel\\Korvel\\OPTIONS", L"Working Directory", longText));
    std::wstring value;
    CRegisterInformation::getWorkingDirectory(value);
    EXPECT_EQ(longText, value);
}

} // namespace
