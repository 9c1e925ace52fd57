#include "tests/module/FakeHydroObjects.h"

#include <iterator>

namespace ondivar::testing {

namespace {

struct PhaseRow {
    const wchar_t* state;
    const wchar_t* type;
};
const PhaseRow phaseRows[] = {{L"Vapor", L"Gas"}, {L"Liquid", L"Organic"}, {L"Liquid", L"Aqueous"}};

} // namespace

HRESULT FakePhases::GetNumPhases(long* num)
{
    called();
    *num = static_cast<long>(std::size(phaseRows));
    return S_OK;
}

HRESULT FakePhases::GetPhaseInfo(long numPhase, BSTR* stateOfAggregation, BSTR* typeInfo)
{
    called();
    *stateOfAggregation = nullptr;
    *typeInfo = nullptr;
    if (numPhase < 0 || numPhase >= static_cast<long>(std::size(phaseRows)))
        return E_INVALIDARG;
    *stateOfAggregation = SysAllocString(phaseRows[numPhase].state);
    *typeInfo = SysAllocString(phaseRows[numPhase].type);
    return S_OK;
}

HRESULT FakePackageManager::GetHydroPackageList(VARIANT* packageNames)
{
    called();
    VariantInit(packageNames);
    const wchar_t* const names[] = {L"Ondivar", L"Drift flux"};
    UniqueSafeArray array(SafeArrayCreateVector(VT_BSTR, 0, 2));
    if (!array.get())
        return E_OUTOFMEMORY;
    for (LONG i = 0; i < 2; ++i) {
        UniqueBstr name(SysAllocString(names[i]));
        const HRESULT hr = SafeArrayPutElement(array.get(), &i, name.get());
        if (FAILED(hr))
            return hr;
    }
    packageNames->vt = VT_ARRAY | VT_BSTR;
    packageNames->parray = array.release();
    return S_OK;
}

HRESULT FakePackageManager::GetHydroPackage(BSTR packageName, IDispatch** package)
{
    called();
    *package = nullptr;
    if (packageName == nullptr || std::wstring(packageName) != L"Ondivar")
        return E_INVALIDARG;
    *package = new FakePhases;
    return S_OK;
}

HRESULT FakeContext::SetHydroContext(IDispatch* context)
{
    called();
    m_context = ComPtr<IDispatch>(context);
    return S_OK;
}

} // namespace ondivar::testing
