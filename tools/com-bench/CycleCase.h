// The case every measurement of ondivar-com-bench runs: a vertical pipe with gas, oil and water, the
// arguments a simulator passes for it (made once, so that the cost measured is the callee's), and the
// caller's reading of a one-element result.
#pragma once

#include "support/ComHandles.h"

#include <windows.h>
#include <oleauto.h>

namespace ondivar::bench {

constexpr int kPhases = 3;
constexpr int kInputs = 5; // superficialVelocity (SetSingleHydroProp), then the four SetSinglePhaseProp
constexpr int kGeometry = 3;
constexpr int kResults = 3;

extern const wchar_t* const kLabels[kPhases];
extern const wchar_t* const kStates[kPhases];
extern const wchar_t* const kTypes[kPhases];
extern const wchar_t* const kInputNames[kInputs];
extern const double kInputValues[kInputs][kPhases];
extern const wchar_t* const kGeometryNames[kGeometry];
extern const double kGeometryValues[kGeometry];
extern const wchar_t* const kMixtureResults[kResults];
extern const wchar_t* const kPhaseResults[kResults];

struct CycleArguments {
    UniqueBstr geometryNames[kGeometry], inputNames[kInputs], labels[kPhases], mixtureNames[kResults],
        phaseResultNames[kResults], us;
    UniqueVariant geometry[kGeometry], inputs[kInputs][kPhases], labelArray, stateArray, typeArray;
    CycleArguments();
};

// What a simulator does with a result: checks that it is a one-dimensional array of doubles and reads
// its first element (0.0 for anything else). The caller then destroys the VARIANT.
double readResult(const VARIANT& values);

} // namespace ondivar::bench
