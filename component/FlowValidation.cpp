#include "component/FlowValidation.h"

#include "component/OwnFailure.h"
#include "component/PropertyTable.h"
#include "hydro/DriftFlux.h"
#include "hydro/ModelConstants.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace ondivar {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
// The smallest double greater than 0: with it the boundaries are the accepted range, both ends included.
constexpr double kSmallestPositive = std::numeric_limits<double>::denorm_min();
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// A number as the shortest text that reads back as the same double; NaN and the infinities by name.
std::wstring numberText(double value)
{
    if (std::isnan(value))
        return L"NaN";
    if (std::isinf(value))
        return value > 0.0 ? L"inf" : L"-inf";
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::wstring(text, end);
}

// "12.5 m/s"; a value that is not a number gets the hint of where such values come from.
std::wstring valueText(double value, const wchar_t* unit)
{
    std::wstring text = numberText(value);
    if (*unit != L'\0')
        text += std::wstring(L" ") + unit;
    return text;
}

const wchar_t* notSetHint(double value)
{
    return std::isnan(value) ? L" A value that was never set is NaN." : L"";
}

std::wstring ofPhase(const std::wstring& label)
{
    return L" of phase " + quoted(label);
}

FlowRefusal outOfBounds(std::wstring description, double lower, double upper, double value,
                        const wchar_t* type)
{
    return {kCapeOutOfBounds, std::move(description), CapeBoundaries{lower, upper, value, type}};
}

bool positiveFinite(double value)
{
    return value > 0.0 && value <= kLargest;
}

// The velocity of the first liquid listed, or NaN without liquid.
double liquidVelocity(const CHydro& model, const CPhaseMap& phases)
{
    for (const auto& phase : phases)
        if (phase.second != eVapor)
            return model.GetVelocity()[phase.second];
    return std::nan("");
}

// Why the drift-flux relation gave no physical solution, judged from the inputs and the velocities the
// model found; the first cause that applies.
std::wstring whyNoSolution(const CHydro& model, const CPhaseMap& phases)
{
    const double mixtureVelocity = model.GetMixtureVelocity();
    if (!std::isfinite(mixtureVelocity))
        return L"the superficial velocities are too large: their sum overflows";
    const CDoubleArray& velocity = model.GetVelocity();
    const CDoubleArray& superficial = model.GetSuperficialVelocity();
    // The vapour velocity is NaN only when its quadratic has no real root.
    if (phases.size() > 1 && superficial[eVapor] == superficial[eVapor] && std::isnan(velocity[eVapor]))
        return L"gas and liquid flowing against each other exceed the counter-current (flooding) "
               L"limit of the drift-flux relation: the gas velocity has no real solution";
    for (const auto& [label, kind] : phases) {
        const double given = superficial[kind];
        const double moves = velocity[kind];
        if (!(given * moves < 0.0))
            continue;
        const std::wstring against = L"the drift-flux relation moves phase " + quoted(label) + L" at " +
                                     valueText(moves, L"m/s") + L", against its superficial velocity of " +
                                     valueText(given, L"m/s");
        const double inclination = model.GetInclination();
        if (inclination == 0.0)
            return L"in a horizontal pipe every phase moves at the mixture velocity, so a phase "
                   L"flowing against the mixture has no drift-flux solution (" +
                   against + L")";
        if (kind == eVapor && given * inclination < 0.0)
            return L"gas flowing down slower than its bubbles rise has no drift-flux solution (" + against +
                   L")";
        return L"this counter-current flow has no drift-flux solution (" + against + L")";
    }
    if (mixtureVelocity == 0.0)
        return L"the superficial velocities add up to a mixture velocity of 0 m/s, for which the drift-flux "
               L"relation has no solution (no net flow through the pipe)";
    std::size_t position = 0;
    for (const auto& [label, kind] : phases)
        if (++position < phases.size() && velocity[kind] == 0.0)
            return L"the drift-flux relation gives phase " + quoted(label) +
                   L" a velocity of 0 m/s, which leaves its volume fraction undefined";
    return L"the densities and velocities given are too large to compute with";
}

std::wstring impossible(const std::wstring& what, double value, const wchar_t* unit, const wchar_t* range,
                        const CHydro& model, const CPhaseMap& phases)
{
    return L"The " + what + L" is " + valueText(value, unit) + range +
           L", which is not a physical solution: " + whyNoSolution(model, phases) + L".\n";
}

} // namespace

std::optional<FlowRefusal> refuseFlowInputs(double diameter, double inclination, const CPhaseMap& phases,
                                            const CDoubleArray& superficialVelocity,
                                            const CDoubleArray& density)
{
    if (!positiveFinite(diameter))
        return outOfBounds(L"The diameter is " + valueText(diameter, L"m") +
                               L": it must be a finite number greater than 0." + notSetHint(diameter) + L"\n",
                           kSmallestPositive, kLargest, diameter, nameOf(PropertySlot::Diameter));
    if (!(inclination >= -1.0 && inclination <= 1.0))
        return outOfBounds(L"The inclination is " + valueText(inclination, L"") +
                               L": it is the sine of the angle between the pipe and the horizontal, within "
                               L"[-1, 1] (1 for vertical upward flow, 0 horizontal, -1 vertical downward "
                               L"flow), not an angle." +
                               notSetHint(inclination) + L"\n",
                           -1.0, 1.0, inclination, nameOf(PropertySlot::Inclination));
    for (const auto& [label, kind] : phases) {
        const double velocity = superficialVelocity[kind];
        if (!std::isfinite(velocity))
            return outOfBounds(
                L"The superficial velocity" + ofPhase(label) + L" is " + valueText(velocity, L"m/s") +
                    L": it must be a finite number (negative for flow in the other direction)." +
                    notSetHint(velocity) + L"\n",
                -kLargest, kLargest, velocity, nameOf(PropertySlot::SuperficialVelocity));
        const double phaseDensity = density[kind];
        if (!positiveFinite(phaseDensity))
            return outOfBounds(L"The density" + ofPhase(label) + L" is " + valueText(phaseDensity, L"kg/m3") +
                                   L": it must be a finite number greater than 0." +
                                   notSetHint(phaseDensity) + L"\n",
                               kSmallestPositive, kLargest, phaseDensity, nameOf(PropertySlot::Density));
    }
    return std::nullopt;
}

double holdupTolerance(const CHydro& model, const CPhaseMap& phases)
{
    const double mixtureVelocity = std::fabs(model.GetMixtureVelocity());
    // At least the magnitude of the drift velocity (the model's d = (rise + 0.2 Um) s).
    const double drift =
        (BubbleRiseVelocity(model.GetDiameter()) + kDriftMixtureCoefficient * mixtureVelocity) *
        std::fabs(model.GetInclination());
    const CDoubleArray& velocity = model.GetVelocity();
    // The size of the numbers the velocities are computed from: the phase velocities carry rounding of
    // about epsilon times this.
    double scale = mixtureVelocity + 2.0 * drift;
    const double liquid = liquidVelocity(model, phases);
    if (phases.size() > 1 && !std::isnan(liquid) && velocity[eVapor] == velocity[eVapor]) {
        // The vapour velocity is a root of v^2 - (Um + d) v + Us d; the rounding of the discriminant is
        // divided by the distance between the two roots, which the two phase velocities give.
        const double rootDistance = std::fabs(velocity[eVapor] + liquid - model.GetMixtureVelocity());
        const double b = mixtureVelocity + drift;
        scale += (b * b + 4.0 * std::fabs(model.GetSuperficialVelocity()[eVapor]) * drift) / rootDistance;
    }
    // Every holdup but the last one listed is Us/u; the last closes the sum and collects their errors.
    double tolerance = 4.0 * kEpsilon;
    std::size_t position = 0;
    for (const auto& phase : phases) {
        if (++position == phases.size())
            break;
        const double holdup = model.GetHoldup()[phase.second];
        tolerance += 8.0 * kEpsilon * std::fabs(holdup) * (scale + drift) / std::fabs(velocity[phase.second]);
    }
    return tolerance < kHoldupToleranceLimit ? tolerance : kHoldupToleranceLimit;
}

std::optional<FlowRefusal> refuseFlowResults(const CHydro& model, const CPhaseMap& phases)
{
    auto refuse = [&](const std::wstring& what, double value, const wchar_t* unit, const wchar_t* range) {
        return FlowRefusal{kCapeSolvingError, impossible(what, value, unit, range, model, phases),
                           std::nullopt};
    };
    for (const auto& [label, kind] : phases) {
        const double velocity = model.GetVelocity()[kind];
        if (!std::isfinite(velocity))
            return refuse(L"absolute velocity" + ofPhase(label), velocity, L"m/s", L"");
    }
    // The tolerance is never negative: it is worked out only when a holdup lies outside [0, 1].
    double tolerance = 0.0;
    bool toleranceKnown = false;
    for (const auto& [label, kind] : phases) {
        const double holdup = model.GetHoldup()[kind];
        if (holdup >= 0.0 && holdup <= 1.0)
            continue;
        if (!toleranceKnown) {
            tolerance = holdupTolerance(model, phases);
            toleranceKnown = true;
        }
        if (!(holdup >= -tolerance && holdup <= 1.0 + tolerance))
            return refuse(L"volume fraction" + ofPhase(label), holdup, L"",
                          std::isnan(holdup) ? L"" : L", outside [0, 1]");
    }
    const std::pair<const wchar_t*, double> gradients[] = {
        {L"total pressure gradient", model.GetDpdzTotal()},
        {L"frictional pressure gradient", model.GetDpdzFriction()},
        {L"gravity pressure gradient", model.GetDpdzGravity()}};
    for (const auto& [what, gradient] : gradients)
        if (!std::isfinite(gradient))
            return refuse(what, gradient, L"Pa/m", L"");
    return std::nullopt;
}

} // namespace ondivar
