#include "tools/com-bench/ComponentCycles.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace ondivar::bench {
namespace {

DISPID idOf(IDispatch* object, const wchar_t* name)
{
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        std::fprintf(stderr, "GetIDsOfNames failed for %ls\n", name);
        std::exit(1);
    }
    return id;
}

VARIANT byValue(BSTR text)
{
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = text;
    return v;
}

VARIANT byReference(VARIANT* out)
{
    VARIANT v;
    V_VT(&v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&v) = out;
    return v;
}

// Invokes a method with its arguments given last first, as DISPPARAMS holds them.
bool invoke(IDispatch* object, DISPID id, std::initializer_list<VARIANT> reversed)
{
    VARIANT arguments[3];
    UINT count = 0;
    for (const VARIANT& v : reversed)
        arguments[count++] = v;
    DISPPARAMS parameters = {arguments, nullptr, count, 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr, nullptr,
                          nullptr) == S_OK;
}

void failed(const char* how)
{
    std::fprintf(stderr, "a call through %s failed\n", how);
    std::exit(1);
}

} // namespace

ComponentCycles::ComponentCycles(const ComPtr<ICapeHydroFlow>& flow)
    : m_flow(flow), m_routine(flow.query<ICapeHydroFlowRoutine>())
{
    if (!m_routine) {
        std::fprintf(stderr, "the component has no ICapeHydroFlowRoutine\n");
        std::exit(1);
    }
    m_ids.setGeometry = idOf(m_flow.get(), L"SetGeometryProp");
    m_ids.setPresentPhases = idOf(m_flow.get(), L"SetPresentPhases");
    m_ids.setSingleHydro = idOf(m_flow.get(), L"SetSingleHydroProp");
    m_ids.setSinglePhase = idOf(m_flow.get(), L"SetSinglePhaseProp");
    m_ids.getMixture = idOf(m_flow.get(), L"GetMixtureProp");
    m_ids.getSingleHydro = idOf(m_flow.get(), L"GetSingleHydroProp");
    m_ids.calcFlow = idOf(m_routine.get(), L"CalcFlow");
}

double ComponentCycles::vtableCycle(const CycleArguments& a)
{
    ICapeHydroFlow* flow = m_flow.get();
    bool ok = true;
    for (int g = 0; g < kGeometry; ++g)
        ok &= flow->SetGeometryProp(a.geometryNames[g].get(), *a.geometry[g].get()) == S_OK;
    ok &= flow->SetPresentPhases(*a.labelArray.get(), *a.stateArray.get(), *a.typeArray.get()) == S_OK;
    for (int p = 0; p < kPhases; ++p) {
        ok &=
            flow->SetSingleHydroProp(a.inputNames[0].get(), a.labels[p].get(), *a.inputs[0][p].get()) == S_OK;
        for (int i = 1; i < kInputs; ++i)
            ok &= flow->SetSinglePhaseProp(a.inputNames[i].get(), a.labels[p].get(), *a.inputs[i][p].get()) ==
                  S_OK;
    }
    ok &= m_routine->CalcFlow(a.us.get(), nullptr, nullptr) == S_OK;
    double sum = 0.0;
    for (int r = 0; r < kResults; ++r) {
        ok &= flow->GetMixtureProp(a.mixtureNames[r].get(), m_values.put()) == S_OK;
        sum += readResult(*m_values.get());
    }
    for (int p = 0; p < kPhases; ++p) {
        for (int r = 0; r < kResults; ++r) {
            ok &= flow->GetSingleHydroProp(a.phaseResultNames[r].get(), a.labels[p].get(), m_values.put()) ==
                  S_OK;
            sum += readResult(*m_values.get());
        }
    }
    if (!ok)
        failed("the vtables");
    return sum;
}

double ComponentCycles::dispatchCycle(const CycleArguments& a)
{
    IDispatch* flow = m_flow.get();
    bool ok = true;
    for (int g = 0; g < kGeometry; ++g)
        ok &= invoke(flow, m_ids.setGeometry, {*a.geometry[g].get(), byValue(a.geometryNames[g].get())});
    ok &=
        invoke(flow, m_ids.setPresentPhases, {*a.typeArray.get(), *a.stateArray.get(), *a.labelArray.get()});
    for (int p = 0; p < kPhases; ++p) {
        for (int i = 0; i < kInputs; ++i)
            ok &= invoke(flow, i == 0 ? m_ids.setSingleHydro : m_ids.setSinglePhase,
                         {*a.inputs[i][p].get(), byValue(a.labels[p].get()), byValue(a.inputNames[i].get())});
    }
    ok &= invoke(m_routine.get(), m_ids.calcFlow, {byValue(nullptr), byValue(nullptr), byValue(a.us.get())});
    double sum = 0.0;
    for (int r = 0; r < kResults; ++r) {
        ok &= invoke(flow, m_ids.getMixture, {byReference(m_values.put()), byValue(a.mixtureNames[r].get())});
        sum += readResult(*m_values.get());
    }
    for (int p = 0; p < kPhases; ++p) {
        for (int r = 0; r < kResults; ++r) {
            ok &= invoke(flow, m_ids.getSingleHydro,
                         {byReference(m_values.put()), byValue(a.labels[p].get()),
                          byValue(a.phaseResultNames[r].get())});
            sum += readResult(*m_values.get());
        }
    }
    if (!ok)
        failed("IDispatch::Invoke");
    return sum;
}

} // namespace ondivar::bench
