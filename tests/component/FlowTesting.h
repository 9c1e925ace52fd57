// What the flow tests share: Automation arguments made from literals, the vertical worked example of
// the model fed to the component, the same case run on the model directly, and result readers.
#pragma once

#include "ComponentTesting.h"

#include "support/ArrayConversion.h"
#include "support/CapeErrorClasses.h"

#include <cmath>
#include <vector>

namespace ondivar::testing {

// The CAPE-OPEN codes: a conversion's refusal is kCapeData, the configuration error kCapeBadArgument.
using ondivar::kCapeBadArgument;
using ondivar::kCapeBadInvOrder;
using ondivar::kCapeData;
using ondivar::kCapeInvalidArgument;
using ondivar::kCapeNoImpl;
using ondivar::kCapeUnknown;

// An owned BSTR argument; null stays a null BSTR.
struct Text {
    UniqueBstr s;
    explicit Text(const wchar_t* text) : s(text != nullptr ? SysAllocString(text) : nullptr) {}
    operator BSTR() const { return s.get(); }
};

// An owned VARIANT argument: an array of doubles or of BSTRs; VT_EMPTY when built from nothing.
struct Arg {
    UniqueVariant v;
    Arg() = default;
    Arg(std::initializer_list<double> values)
    {
        CDoubleArray a(values.size());
        std::copy(values.begin(), values.end(), a.begin());
        arrayToVariant(a, v.put(), false);
    }
    Arg(std::initializer_list<const wchar_t*> texts) : Arg(std::vector<const wchar_t*>(texts)) {}
    explicit Arg(const std::vector<const wchar_t*>& t) { arrayToVariant(t.data(), t.size(), v.put(), false); }
    operator VARIANT() const { return *v.get(); }
};

// The per-phase inputs, superficialVelocity (SetSingleHydroProp) first.
constexpr const wchar_t* kInputs[] = {L"superficialVelocity", L"density", L"viscosity", L"heatCapacityCp",
                                      L"ThermalConductivity"};

// The vertical worked example of the model: gas (vapour) and oil (organic liquid), 1 m/s each.
struct FlowCase {
    double diameter = 0.1, inclination = 1.0, roughness = 1e-5;
    std::vector<const wchar_t*> labels{L"gas", L"oil"}, states{L"Vapor", L"Liquid"}, types{L"", L"Organic"};
    std::vector<EPhases> kinds{eVapor, eLiquid};
    double inputs[5][2] = {{1.0, 1.0}, {50.0, 800.0}, {1.5e-5, 0.002}, {2000.0, 2000.0}, {0.03, 0.13}};
};

// Declares the phases of c in its order and sets every input; each call must succeed.
inline void feed(ICapeHydroFlow* flow, const FlowCase& c)
{
    EXPECT_EQ(S_OK, flow->SetGeometryProp(Text(L"diameter"), Arg{c.diameter}));
    EXPECT_EQ(S_OK, flow->SetGeometryProp(Text(L"inclination"), Arg{c.inclination}));
    EXPECT_EQ(S_OK, flow->SetGeometryProp(Text(L"roughness"), Arg{c.roughness}));
    EXPECT_EQ(S_OK, flow->SetPresentPhases(Arg(c.labels), Arg(c.states), Arg(c.types)));
    for (std::size_t p = 0; p < c.labels.size(); ++p) {
        EXPECT_EQ(S_OK, flow->SetSingleHydroProp(Text(kInputs[0]), Text(c.labels[p]), Arg{c.inputs[0][p]}));
        for (std::size_t i = 1; i < 5; ++i)
            EXPECT_EQ(S_OK,
                      flow->SetSinglePhaseProp(Text(kInputs[i]), Text(c.labels[p]), Arg{c.inputs[i][p]}));
    }
}

// The model run directly on c, its phases listed in the given order (indices into c.labels).
inline CSimpleHydro referenceModel(const FlowCase& c, const std::vector<std::size_t>& order)
{
    CDoubleArray in[5] = {CDoubleArray(3, 0.0), CDoubleArray(3, 0.0), CDoubleArray(3, 0.0),
                          CDoubleArray(3, 0.0), CDoubleArray(3, 0.0)};
    CIntArray kinds(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        kinds[i] = c.kinds[order[i]];
        for (std::size_t input = 0; input < 5; ++input)
            in[input][kinds[i]] = c.inputs[input][order[i]];
    }
    CSimpleHydro model;
    model.SetupFromVelocities(c.diameter, c.roughness, c.inclination, static_cast<int>(order.size()), kinds,
                              in[0], in[1], in[2], CDoubleMatrix(3, 3, 0.0), in[3], in[4]);
    model.ComputeProperties();
    return model;
}

// A mixture result, or with a label that phase's result: the one double of a VT_R8 array.
inline double result(ICapeHydroFlow* flow, const wchar_t* name, const wchar_t* label = nullptr)
{
    UniqueVariant values;
    EXPECT_EQ(S_OK, label == nullptr ? flow->GetMixtureProp(Text(name), values.put())
                                     : flow->GetSingleHydroProp(Text(name), Text(label), values.put()));
    EXPECT_EQ(VT_ARRAY | VT_R8, V_VT(values.get()));
    CDoubleArray a;
    variantToArray(values.get(), a);
    EXPECT_EQ(1u, a.size());
    return a.size() == 1 ? a[0] : std::nan("");
}

// Every result of the component equals the model's, bit for bit (NaN matching NaN).
inline void expectResultsOf(const CSimpleHydro& model, ICapeHydroFlow* flow, const FlowCase& c)
{
    auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    EXPECT_PRED2(same, model.GetDpdzTotal(), result(flow, L"pressureDropTotal"));
    EXPECT_PRED2(same, model.GetDpdzFriction(), result(flow, L"pressureDropFrictional"));
    EXPECT_PRED2(same, model.GetDpdzGravity(), result(flow, L"pressureDropGravity"));
    for (std::size_t p = 0; p < c.labels.size(); ++p) {
        EXPECT_PRED2(same, model.GetHoldup()[c.kinds[p]], result(flow, L"volumeFraction", c.labels[p]));
        EXPECT_PRED2(same, model.GetVelocity()[c.kinds[p]], result(flow, L"absoluteVelocity", c.labels[p]));
        EXPECT_PRED2(same, model.GetSuperficialVelocity()[c.kinds[p]],
                     result(flow, L"superficialVelocity", c.labels[p]));
    }
}

inline HRESULT calcUs(const ComPtr<ICapeHydroFlow>& flow)
{
    return flow.query<ICapeHydroFlowRoutine>()->CalcFlow(Text(L"Us"), nullptr, nullptr);
}

// The failure the component recorded last names this interface and operation.
inline void expectRecorded(IUnknown* component, const wchar_t* interfaceName, const wchar_t* operation)
{
    const ErrorReadout r = readErrors(component);
    EXPECT_EQ(interfaceName, r.interfaceName);
    EXPECT_EQ(operation, r.operation);
}

} // namespace ondivar::testing
