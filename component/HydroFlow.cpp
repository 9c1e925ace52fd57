// ICapeHydroFlow, the inputs: the pipe geometry, the present phases and the properties of each phase.
// Values are stored as given (SI units; the inclination is the sine of the angle to the horizontal); of
// a values array only the first element is used. Nothing here changes whether results are available,
// except ClearAllProps.
#include "component/Arguments.h"
#include "com/ComBoundary.h"
#include "component/Ondivar_Velt.h"
#include "component/OwnFailure.h"
#include "component/PhaseDeclaration.h"

#include "support/ArrayConversion.h"

#include <string>

namespace ondivar {
namespace {

constexpr const wchar_t* kInterface = L"ICapeHydroFlow";

std::wstring noValueMessage(std::wstring_view property)
{
    return L"No value was given for " + quoted(property) + L".\n";
}

// Stores the first of given into target at the kind declared for label; refuses an undeclared label and
// an empty given, storing nothing.
HRESULT storePhaseValue(const ComCall& call, const CPhaseMap& phases, std::wstring_view label,
                        std::wstring_view property, const CDoubleArray& given, CDoubleArray& target)
{
    EPhases kind = eVapor;
    if (!findDeclaredKind(phases, label, kind))
        return call.fail(kCapeInvalidArgument, undeclaredLabelMessage(label));
    if (given.empty())
        return call.fail(kCapeInvalidArgument, noValueMessage(property));
    target[kind] = given[0];
    return S_OK;
}

} // namespace

HRESULT STDMETHODCALLTYPE COndivar_Velt::ClearAllProps()
{
    return comCall(*this, kInterface, L"ClearAllProps", [&](ComCall&) {
        m_calculated = false;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CreateHPM(IDispatch** hpm)
{
    return comCall(*this, kInterface, L"CreateHPM", [&](ComCall&) {
        // No package is created; the caller gets nothing to release.
        if (hpm != nullptr)
            *hpm = nullptr;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::CopyFromHPM(IDispatch* hpmSource)
{
    return comCall(*this, kInterface, L"CopyFromHPM", [&](ComCall&) {
        m_hpmSource = hpmSource;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetGeometryProp(BSTR pty, VARIANT values)
{
    constexpr const wchar_t* operation = L"SetGeometryProp";
    return comCall(*this, kInterface, operation, [&](ComCall& call) {
        const CDoubleArray& given = readValues(values, m_givenValues);
        const std::wstring_view property = textOf(pty);
        const PropertyEntry* entry = findProperty(PropertyKind::Geometry, property);
        if (entry == nullptr)
            return call.fail(kCapeInvalidArgument,
                             quoted(property) +
                                 L" is not a geometry property (diameter, inclination, roughness).\n");
        if (given.empty())
            return call.fail(kCapeInvalidArgument, noValueMessage(property));
        geometryInput(entry->slot) = given[0];
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetMixtureProp(BSTR, VARIANT)
{
    return comCall(*this, kInterface, L"SetMixtureProp", [&](ComCall&) { return S_OK; });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetOverallProp(BSTR, VARIANT*)
{
    return comCall(*this, kInterface, L"SetOverallProp", [&](ComCall&) { return S_OK; });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetPresentPhases(VARIANT phaseLabel, VARIANT stateOfAggregation,
                                                          VARIANT typeInfo)
{
    constexpr const wchar_t* operation = L"SetPresentPhases";
    return comCall(*this, kInterface, operation, [&](ComCall& call) {
        // Read in place: the texts are copied only when the declaration changes.
        const CTextsView labels(&phaseLabel);
        const CTextsView states(&stateOfAggregation);
        const CTextsView types(&typeInfo);
        if (states.size() < labels.size() || types.size() < labels.size())
            return call.fail(kCapeInvalidArgument,
                             std::to_wstring(labels.size()) + L" phase labels came with " +
                                 std::to_wstring(states.size()) + L" states of aggregation and " +
                                 std::to_wstring(types.size()) +
                                 L" types: one of each is needed per label.\n");
        if (declaresSamePhases(m_phases, m_phaseCount, labels, states, types))
            return S_OK;

        m_phases.clear();
        m_phaseCount = static_cast<std::int32_t>(labels.size());
        HRESULT result = S_OK;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EPhases kind = eVapor;
            if (phaseKindOf(states[i], types[i], kind))
                m_phases.declare(labels[i], kind);
            else
                result =
                    call.fail(kCapeInvalidArgument, L"The phase " + quoted(labels[i]) + L" has the state " +
                                                        quoted(states[i]) +
                                                        L", which is not Vapor, Liquid, Solid or Unknown.\n");
        }
        return result;
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetSingleHydroProp(BSTR pty, BSTR phaseLabel, VARIANT values)
{
    constexpr const wchar_t* operation = L"SetSingleHydroProp";
    return comCall(*this, kInterface, operation, [&](ComCall& call) {
        const CDoubleArray& given = readValues(values, m_givenValues);
        const std::wstring_view property = textOf(pty);
        const PropertyEntry* entry = findProperty(PropertyKind::SingleHydroInput, property);
        if (entry == nullptr)
            return S_OK;
        return storePhaseValue(call, m_phases, textOf(phaseLabel), property, given, phaseInput(entry->slot));
    });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetSinglePhaseProp(BSTR pty, BSTR phaseLabel, VARIANT values)
{
    constexpr const wchar_t* operation = L"SetSinglePhaseProp";
    return comCall(*this, kInterface, operation, [&](ComCall& call) {
        const CDoubleArray& given = readValues(values, m_givenValues);
        const std::wstring_view property = textOf(pty);
        const PropertyEntry* entry = findProperty(PropertyKind::SinglePhaseInput, property);
        if (entry == nullptr)
            return S_OK;
        return storePhaseValue(call, m_phases, textOf(phaseLabel), property, given, phaseInput(entry->slot));
    });
}

double& COndivar_Velt::geometryInput(PropertySlot slot) noexcept
{
    switch (slot) {
    case PropertySlot::Inclination:
        return m_inclination;
    case PropertySlot::Roughness:
        return m_roughness;
    default:
        return m_diameter;
    }
}

CDoubleArray& COndivar_Velt::phaseInput(PropertySlot slot) noexcept
{
    switch (slot) {
    case PropertySlot::Density:
        return m_density;
    case PropertySlot::Viscosity:
        return m_viscosity;
    case PropertySlot::HeatCapacity:
        return m_heatCapacity;
    case PropertySlot::ThermalConductivity:
        return m_thermalConductivity;
    default:
        return m_superficialVelocity;
    }
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetTwoHydroProp(BSTR, VARIANT, VARIANT)
{
    return comCall(*this, kInterface, L"SetTwoHydroProp", [&](ComCall&) { return S_OK; });
}

HRESULT STDMETHODCALLTYPE COndivar_Velt::SetTwoPhaseProp(BSTR, VARIANT, VARIANT)
{
    return comCall(*this, kInterface, L"SetTwoPhaseProp", [&](ComCall&) { return S_OK; });
}

} // namespace ondivar
