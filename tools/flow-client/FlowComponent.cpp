#include "tools/flow-client/FlowComponent.h"

#include "support/StringConversion.h"

#include "component/PropertyTable.h"
#include "support/ArrayConversion.h"
#include "support/CapeErrorClasses.h"
#include "support/ErrorInterpretation.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace ondivar::flow {
namespace {

UniqueBstr bstr(const std::wstring& text)
{
    return UniqueBstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

std::string text(const UniqueBstr& s)
{
    return s.get() != nullptr ? wideToUtf8(std::wstring(s.get(), s.length())) : std::string();
}

// The CAPE-OPEN 1.1 error interface that a CAPE-OPEN HRESULT stands for.
std::string capeOpenErrorName(HRESULT hr)
{
    const CapeErrorClass* errorClass = findCapeErrorClass(hr);
    return errorClass != nullptr ? wideToUtf8(errorClass->name) : std::string("an unnamed CAPE-OPEN error");
}

// The system's text of hr, or a plain note when it has none.
std::string systemText(HRESULT hr)
{
    wchar_t buffer[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(hr), 0, buffer, 511, nullptr);
    return length != 0 ? wideToUtf8(buffer) : std::string("no system description of this HRESULT");
}

[[noreturn]] void fail(const char* call, HRESULT hr, const std::string& description)
{
    CalculationFailure::Details details;
    details.call = call;
    details.description = description;
    details.hresult = static_cast<std::uint32_t>(hr);
    throw CalculationFailure(details);
}

void setValueVariant(double value, UniqueVariant& values)
{
    arrayToVariant(CArray1D<double>(1, value), values.put(), false);
}

} // namespace

FlowComponent::FlowComponent(const std::wstring& programId, const std::string& flowSpec)
    : m_flowSpec(bstr(utf8ToWide(flowSpec)))
{
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(programId.c_str(), &clsid);
    if (FAILED(hr))
        fail("CLSIDFromProgID", hr,
             wideToUtf8(programId) +
                 " is not registered (register Ondivar.dll with regsvr32): " + systemText(hr));
    ComPtr<IUnknown> object;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid());
    if (FAILED(hr))
        fail("CoCreateInstance", hr, "cannot create " + wideToUtf8(programId) + ": " + systemText(hr));
    hr = object->QueryInterface(IID_IDispatch, m_object.putVoid());
    if (FAILED(hr))
        fail("QueryInterface(IDispatch)", hr, systemText(hr));
    hr = object->QueryInterface(IID_ICapeHydroFlow, m_flow.putVoid());
    if (FAILED(hr))
        fail("QueryInterface(ICapeHydroFlow)", hr, systemText(hr));
    hr = object->QueryInterface(IID_ICapeHydroFlowRoutine, m_routine.putVoid());
    if (FAILED(hr))
        fail("QueryInterface(ICapeHydroFlowRoutine)", hr, systemText(hr));
}

void FlowComponent::release() noexcept
{
    m_routine.reset();
    m_flow.reset();
    m_object.reset();
}

void FlowComponent::check(HRESULT hr, const char* call) const
{
    if (SUCCEEDED(hr))
        return;
    if (!isCapeOpenHResult(hr))
        fail(call, hr, systemText(hr));
    // The component describes its last failure through ECapeUser (and ECapeRoot) on the same object.
    const std::unique_ptr<TarvoException::CCapeUser> error =
        TarvoException::createCapeError(hr, m_object.get());
    CalculationFailure::Details details;
    details.call = call;
    details.interfaceName = wideToUtf8(error->m_interfaceName);
    details.operation = wideToUtf8(error->m_operation);
    details.description = wideToUtf8(error->m_description);
    details.hresult = static_cast<std::uint32_t>(hr);
    details.errorName = capeOpenErrorName(hr);
    if (const auto* bounds = dynamic_cast<const TarvoException::CCapeBoundaries*>(error.get()))
        details.boundaries = CalculationFailure::Details::Boundaries{bounds->m_lowerBound,
                                                                     bounds->m_upperBound, bounds->m_value};
    if (details.description.find_first_not_of(" \r\n\t") == std::string::npos)
        details.description =
            "(the component gave no description; the HRESULT stands for " + capeOpenErrorName(hr) + ")";
    throw CalculationFailure(details);
}

void FlowComponent::declarePhases(const std::vector<PhaseDeclaration>& phases)
{
    CArray1D<std::wstring> labels(phases.size()), states(phases.size()), types(phases.size());
    m_labelTexts.clear();
    m_labels.clear();
    for (std::size_t i = 0; i < phases.size(); ++i) {
        labels[i] = utf8ToWide(phases[i].label);
        states[i] = utf8ToWide(phases[i].state);
        types[i] = utf8ToWide(phases[i].type);
        m_labelTexts.push_back(phases[i].label);
        m_labels.push_back(bstr(labels[i]));
    }
    UniqueVariant labelValues, stateValues, typeValues;
    try {
        arrayToVariant(labels, labelValues.put(), false);
        arrayToVariant(states, stateValues.put(), false);
        arrayToVariant(types, typeValues.put(), false);
    } catch (const TarvoException::CMyException& e) {
        std::wstring description;
        e.getDescription(description);
        fail("SetPresentPhases (arguments)", E_FAIL, wideToUtf8(description));
    }
    check(m_flow->SetPresentPhases(*labelValues.get(), *stateValues.get(), *typeValues.get()),
          "ICapeHydroFlow::SetPresentPhases");
}

void FlowComponent::setGeometry(const wchar_t* name, double value)
{
    UniqueVariant values;
    setValueVariant(value, values);
    const UniqueBstr property(SysAllocString(name));
    check(m_flow->SetGeometryProp(property.get(), *values.get()), "ICapeHydroFlow::SetGeometryProp");
}

void FlowComponent::setPhaseValue(bool hydro, const wchar_t* name, const UniqueBstr& label, double value)
{
    UniqueVariant values;
    setValueVariant(value, values);
    const UniqueBstr property(SysAllocString(name));
    if (hydro)
        check(m_flow->SetSingleHydroProp(property.get(), label.get(), *values.get()),
              "ICapeHydroFlow::SetSingleHydroProp");
    else
        check(m_flow->SetSinglePhaseProp(property.get(), label.get(), *values.get()),
              "ICapeHydroFlow::SetSinglePhaseProp");
}

double FlowComponent::mixtureValue(const wchar_t* name)
{
    UniqueVariant values;
    const UniqueBstr property(SysAllocString(name));
    check(m_flow->GetMixtureProp(property.get(), values.put()), "ICapeHydroFlow::GetMixtureProp");
    CArray1D<double> numbers;
    try {
        variantToArray(values.get(), numbers);
    } catch (const TarvoException::CMyException&) {
    }
    if (numbers.empty())
        fail("ICapeHydroFlow::GetMixtureProp", E_UNEXPECTED, "no number came back for " + wideToUtf8(name));
    return numbers[0];
}

double FlowComponent::phaseValue(const wchar_t* name, const UniqueBstr& label)
{
    UniqueVariant values;
    const UniqueBstr property(SysAllocString(name));
    check(m_flow->GetSingleHydroProp(property.get(), label.get(), values.put()),
          "ICapeHydroFlow::GetSingleHydroProp");
    CArray1D<double> numbers;
    try {
        variantToArray(values.get(), numbers);
    } catch (const TarvoException::CMyException&) {
    }
    if (numbers.empty())
        fail("ICapeHydroFlow::GetSingleHydroProp", E_UNEXPECTED,
             "no number came back for " + wideToUtf8(name) + " of " + text(label));
    return numbers[0];
}

FlowResult FlowComponent::calculate(const FlowInputs& inputs)
{
    setGeometry(nameOf(PropertySlot::Diameter), inputs.pipe.diameter);
    setGeometry(nameOf(PropertySlot::Inclination), inputs.pipe.inclination);
    setGeometry(nameOf(PropertySlot::Roughness), inputs.pipe.roughness);
    for (std::size_t i = 0; i < m_labels.size() && i < inputs.properties.size(); ++i) {
        const PhaseProperties& p = inputs.properties[i];
        setPhaseValue(true, nameOf(PropertySlot::SuperficialVelocity), m_labels[i], p.superficialVelocity);
        setPhaseValue(false, nameOf(PropertySlot::Density), m_labels[i], p.density);
        setPhaseValue(false, nameOf(PropertySlot::Viscosity), m_labels[i], p.viscosity);
        setPhaseValue(false, nameOf(PropertySlot::HeatCapacity), m_labels[i], p.heatCapacity);
        setPhaseValue(false, nameOf(PropertySlot::ThermalConductivity), m_labels[i], p.conductivity);
    }
    const UniqueBstr none;
    check(m_routine->CalcFlow(m_flowSpec.get(), none.get(), none.get()), "ICapeHydroFlowRoutine::CalcFlow");

    FlowResult result;
    UniqueBstr regime, qualifier;
    check(m_flow->GetFlowRegime(regime.put(), qualifier.put()), "ICapeHydroFlow::GetFlowRegime");
    result.regime = text(regime);
    result.qualifier = text(qualifier);
    result.dpdzTotal = mixtureValue(nameOf(PropertySlot::PressureDropTotal));
    result.dpdzFriction = mixtureValue(nameOf(PropertySlot::PressureDropFrictional));
    result.dpdzGravity = mixtureValue(nameOf(PropertySlot::PressureDropGravity));
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        PhaseResult phase;
        phase.label = m_labelTexts[i];
        phase.volumeFraction = phaseValue(nameOf(PropertySlot::VolumeFraction), m_labels[i]);
        phase.superficialVelocity = phaseValue(nameOf(PropertySlot::SuperficialVelocity), m_labels[i]);
        phase.absoluteVelocity = phaseValue(nameOf(PropertySlot::AbsoluteVelocity), m_labels[i]);
        result.phases.push_back(phase);
    }
    return result;
}

} // namespace ondivar::flow
