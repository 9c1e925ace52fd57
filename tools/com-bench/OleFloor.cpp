#include "tools/com-bench/OleFloor.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace ondivar::bench {
namespace {

bool same(BSTR text, const wchar_t* expected)
{
    return text != nullptr && std::wcscmp(text, expected) == 0;
}

// The one-dimensional array of element type that values holds, or null: the type and dimension checks
// every argument needs.
SAFEARRAY* vectorOf(const VARIANT& values, VARTYPE element, ULONG elementBytes)
{
    if (V_VT(&values) != (VT_ARRAY | element))
        return nullptr;
    SAFEARRAY* array = V_ARRAY(&values);
    if (array == nullptr || array->cbElements != elementBytes || SafeArrayGetDim(array) != 1)
        return nullptr;
    return array;
}

// The number of elements between the bounds of a one-dimensional array; -1 when they cannot be read.
long elementCount(SAFEARRAY* array)
{
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return -1;
    return static_cast<long>(upper) - lower + 1;
}

} // namespace

bool OleFloor::readOne(const VARIANT& values, double& value) const
{
    SAFEARRAY* array = vectorOf(values, VT_R8, sizeof(double));
    if (array == nullptr || elementCount(array) < 1)
        return false;
    const SafeArrayData<double> data(array);
    if (!data)
        return false;
    value = data[0];
    return true;
}

bool OleFloor::declare(const VARIANT& labels, const VARIANT& states, const VARIANT& types)
{
    const VARIANT* arrays[3] = {&labels, &states, &types};
    SAFEARRAY* safeArrays[3] = {};
    for (int k = 0; k < 3; ++k) {
        SAFEARRAY* array = vectorOf(*arrays[k], VT_BSTR, sizeof(BSTR));
        if (array == nullptr || elementCount(array) != kPhases)
            return false;
        safeArrays[k] = array;
    }
    const SafeArrayData<BSTR> label(safeArrays[0]);
    const SafeArrayData<BSTR> state(safeArrays[1]);
    const SafeArrayData<BSTR> type(safeArrays[2]);
    if (!label || !state || !type)
        return false;
    for (int p = 0; p < kPhases; ++p) {
        if (label[p] == nullptr || std::wcslen(label[p]) >= 32)
            return false;
        if (std::wcscmp(m_labels[p], label[p]) != 0)
            std::wcscpy(m_labels[p], label[p]);
        if (same(state[p], L"Vapor"))
            m_kinds[p] = 0;
        else if (same(state[p], L"Liquid"))
            m_kinds[p] = same(type[p], L"Aqueous") ? 2 : 1;
        else
            return false;
    }
    return true;
}

int OleFloor::kindOf(BSTR label) const
{
    for (int p = 0; p < kPhases; ++p) {
        if (same(label, m_labels[p]))
            return m_kinds[p];
    }
    return -1;
}

void OleFloor::answer(double value, VARIANT* values) const
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_R8, 0, 1);
    if (array == nullptr)
        return;
    {
        const SafeArrayData<double> data(array);
        if (data)
            data[0] = value;
    }
    V_VT(values) = VT_ARRAY | VT_R8;
    V_ARRAY(values) = array;
}

double OleFloor::cycle(const CycleArguments& a)
{
    bool ok = true;
    for (int g = 0; g < kGeometry; ++g)
        ok &=
            same(a.geometryNames[g].get(), kGeometryNames[g]) && readOne(*a.geometry[g].get(), m_geometry[g]);
    ok &= declare(*a.labelArray.get(), *a.stateArray.get(), *a.typeArray.get());
    for (int p = 0; p < kPhases; ++p) {
        for (int i = 0; i < kInputs; ++i) {
            const int kind = kindOf(a.labels[p].get());
            ok &= same(a.inputNames[i].get(), kInputNames[i]) && kind >= 0 &&
                  readOne(*a.inputs[i][p].get(), m_inputs[i][kind]);
        }
    }
    ok &= same(a.us.get(), L"Us");
    double sum = 0.0;
    for (int r = 0; r < kResults; ++r) {
        ok &= same(a.mixtureNames[r].get(), kMixtureResults[r]);
        answer(m_geometry[r], m_values.put());
        sum += readResult(*m_values.get());
    }
    for (int p = 0; p < kPhases; ++p) {
        for (int r = 0; r < kResults; ++r) {
            const int kind = kindOf(a.labels[p].get());
            ok &= same(a.phaseResultNames[r].get(), kPhaseResults[r]) && kind >= 0;
            answer(m_inputs[r][kind], m_values.put());
            sum += readResult(*m_values.get());
        }
    }
    if (!ok) {
        std::fprintf(stderr, "the floor's cycle failed\n");
        std::exit(1);
    }
    return sum;
}

} // namespace ondivar::bench
