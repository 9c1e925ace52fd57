#include "tools/com-bench/CycleCase.h"

#include "component/PropertyTable.h"
#include "support/ArrayConversion.h"

namespace ondivar::bench {

const wchar_t* const kLabels[kPhases] = {L"gas", L"oil", L"water"};
const wchar_t* const kStates[kPhases] = {L"Vapor", L"Liquid", L"Liquid"};
const wchar_t* const kTypes[kPhases] = {L"", L"Organic", L"Aqueous"};
const wchar_t* const kInputNames[kInputs] = {
    nameOf(PropertySlot::SuperficialVelocity), nameOf(PropertySlot::Density), nameOf(PropertySlot::Viscosity),
    nameOf(PropertySlot::HeatCapacity), nameOf(PropertySlot::ThermalConductivity)};
const double kInputValues[kInputs][kPhases] = {{1.0, 1.0, 0.5},
                                               {50.0, 800.0, 1000.0},
                                               {1.5e-5, 0.002, 0.001},
                                               {2000.0, 2000.0, 4180.0},
                                               {0.03, 0.13, 0.6}};
const wchar_t* const kGeometryNames[kGeometry] = {
    nameOf(PropertySlot::Diameter), nameOf(PropertySlot::Inclination), nameOf(PropertySlot::Roughness)};
const double kGeometryValues[kGeometry] = {0.1, 1.0, 1e-5};
const wchar_t* const kMixtureResults[kResults] = {nameOf(PropertySlot::PressureDropTotal),
                                                  nameOf(PropertySlot::PressureDropFrictional),
                                                  nameOf(PropertySlot::PressureDropGravity)};
const wchar_t* const kPhaseResults[kResults] = {nameOf(PropertySlot::VolumeFraction),
                                                nameOf(PropertySlot::AbsoluteVelocity),
                                                nameOf(PropertySlot::SuperficialVelocity)};

namespace {

UniqueBstr bstr(const wchar_t* text)
{
    return UniqueBstr(SysAllocString(text));
}

void oneDouble(UniqueVariant& v, double value)
{
    arrayToVariant(&value, 1, v.put(), false);
}

} // namespace

CycleArguments::CycleArguments()
{
    for (int g = 0; g < kGeometry; ++g) {
        geometryNames[g] = bstr(kGeometryNames[g]);
        oneDouble(geometry[g], kGeometryValues[g]);
    }
    for (int r = 0; r < kResults; ++r) {
        mixtureNames[r] = bstr(kMixtureResults[r]);
        phaseResultNames[r] = bstr(kPhaseResults[r]);
    }
    for (int i = 0; i < kInputs; ++i) {
        inputNames[i] = bstr(kInputNames[i]);
        for (int p = 0; p < kPhases; ++p)
            oneDouble(inputs[i][p], kInputValues[i][p]);
    }
    for (int p = 0; p < kPhases; ++p)
        labels[p] = bstr(kLabels[p]);
    arrayToVariant(kLabels, kPhases, labelArray.put(), false);
    arrayToVariant(kStates, kPhases, stateArray.put(), false);
    arrayToVariant(kTypes, kPhases, typeArray.put(), false);
    us = bstr(L"Us");
}

double readResult(const VARIANT& values)
{
    if (V_VT(&values) != (VT_ARRAY | VT_R8))
        return 0.0;
    SAFEARRAY* array = V_ARRAY(&values);
    LONG lower = 0;
    LONG upper = -1;
    if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)) || upper < lower)
        return 0.0;
    const SafeArrayData<double> data(array);
    return data ? data[0] : 0.0;
}

} // namespace ondivar::bench
