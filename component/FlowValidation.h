// What CalcFlow accepts besides the phase declaration: inputs the drift-flux model can mean, and results
// that are a physical solution. The model computes whatever it is given (its holdup-driven modes need
// its raw arithmetic); these checks keep an impossible flow from being reported as a result.
#pragma once

#include "com/CallErrorRecorder.h"
#include "component/PhaseDeclaration.h"
#include "hydro/Hydro.h"

#include <optional>
#include <string>

namespace ondivar {

// Why a calculation is refused: the CAPE-OPEN HRESULT, a description an engineer can act on and, for
// an input outside its range, the boundaries.
struct FlowRefusal {
    HRESULT code;
    std::wstring description;
    std::optional<CapeBoundaries> boundaries;
};

// The first input the model cannot mean, as CCapeOutOfBounds: a diameter that is not a finite positive
// number, an inclination (a sine) outside [-1, 1], then for each present phase in label order a
// superficial velocity that is not finite and a density that is not finite and positive. Roughness and
// the thermal properties do not enter the results a client reads and are not checked.
std::optional<FlowRefusal> refuseFlowInputs(double diameter, double inclination, const CPhaseMap& phases,
                                            const CDoubleArray& superficialVelocity,
                                            const CDoubleArray& density);

// The first value of the computed model that is not a physical solution, as CCapeSolvingError: for each
// present phase in label order a velocity that is not finite, then a holdup that is not finite or lies
// outside [0, 1] by more than holdupTolerance, then a pressure gradient that is not finite.
std::optional<FlowRefusal> refuseFlowResults(const CHydro& model, const CPhaseMap& phases);

// How far outside [0, 1] a computed holdup of a physical solution can lie by rounding alone: 4 units in
// the last place of 1, plus the rounding of the velocities carried into the holdups, which grows when a
// phase moves slowly (its velocity is a difference of larger numbers) or the two roots of the vapour
// velocity lie close together. Never more than kHoldupToleranceLimit.
double holdupTolerance(const CHydro& model, const CPhaseMap& phases);

// No holdup further than this outside [0, 1] is accepted, however ill-conditioned the calculation.
constexpr double kHoldupToleranceLimit = 1e-6;

} // namespace ondivar
