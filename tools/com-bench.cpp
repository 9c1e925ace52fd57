// Times what a simulator pays for one flow calculation through the component against the model run
// directly, on the same three-phase vertical case: the raw model (SetupFromVelocities +
// ComputeProperties), one full cycle through the vtables (geometry, present phases, every per-phase
// input, CalcFlow, the mixture and per-phase results), and the same cycle through IDispatch::Invoke.
// The component is created in-process with COndivar_Velt::createInstance; its type library is read from
// the built file. Usage: ondivar-com-bench [cycles]
#include "component/Ondivar_Velt.h"
#include "com/TypeInfoCache.h"
#include "support/ArrayConversion.h"
#include "tools/common/ComApartment.h"
#include "tools/common/MessageBoxHook.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

using namespace ondivar;

namespace {

unsigned long long g_allocations = 0;

constexpr int kPhases = 3;
const wchar_t* const kLabels[kPhases] = {L"gas", L"oil", L"water"};
const wchar_t* const kStates[kPhases] = {L"Vapor", L"Liquid", L"Liquid"};
const wchar_t* const kTypes[kPhases] = {L"", L"Organic", L"Aqueous"};
const EPhases kKinds[kPhases] = {eVapor, eLiquid, eWater};
// superficialVelocity, density, viscosity, heatCapacityCp, ThermalConductivity per phase.
const wchar_t* const kInputNames[5] = {L"superficialVelocity", L"density", L"viscosity", L"heatCapacityCp",
                                       L"ThermalConductivity"};
const double kInputs[5][kPhases] = {{1.0, 1.0, 0.5},
                                    {50.0, 800.0, 1000.0},
                                    {1.5e-5, 0.002, 0.001},
                                    {2000.0, 2000.0, 4180.0},
                                    {0.03, 0.13, 0.6}};
const wchar_t* const kGeometryNames[3] = {L"diameter", L"inclination", L"roughness"};
const double kGeometry[3] = {0.1, 1.0, 1e-5};
const wchar_t* const kMixtureResults[3] = {L"pressureDropTotal", L"pressureDropFrictional",
                                           L"pressureDropGravity"};
const wchar_t* const kPhaseResults[3] = {L"volumeFraction", L"absoluteVelocity", L"superficialVelocity"};

struct Timing {
    double nanoseconds;
    double allocations;
};

template <class Call> Timing timeIt(long calls, Call call)
{
    const unsigned long long allocationsBefore = g_allocations;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < calls; ++i)
        call(i);
    const auto stop = std::chrono::steady_clock::now();
    return {std::chrono::duration<double, std::nano>(stop - start).count() / calls,
            double(g_allocations - allocationsBefore) / calls};
}

UniqueBstr bstr(const wchar_t* text)
{
    return UniqueBstr(SysAllocString(text));
}

void oneDouble(UniqueVariant& v, double value)
{
    arrayToVariant(CDoubleArray(1, value), v.put(), false);
}

// Every argument a cycle passes, made once: the cost measured is the component's, not the caller's.
struct CycleArguments {
    UniqueBstr geometryNames[3], inputNames[5], labels[kPhases], mixtureNames[3], phaseResultNames[3], us;
    UniqueVariant geometry[3], inputs[5][kPhases], labelArray, stateArray, typeArray;
    CycleArguments()
    {
        for (int g = 0; g < 3; ++g) {
            geometryNames[g] = bstr(kGeometryNames[g]);
            oneDouble(geometry[g], kGeometry[g]);
            mixtureNames[g] = bstr(kMixtureResults[g]);
            phaseResultNames[g] = bstr(kPhaseResults[g]);
        }
        for (int i = 0; i < 5; ++i) {
            inputNames[i] = bstr(kInputNames[i]);
            for (int p = 0; p < kPhases; ++p)
                oneDouble(inputs[i][p], kInputs[i][p]);
        }
        for (int p = 0; p < kPhases; ++p)
            labels[p] = bstr(kLabels[p]);
        arrayToVariant(kLabels, kPhases, labelArray.get(), false);
        arrayToVariant(kStates, kPhases, stateArray.get(), false);
        arrayToVariant(kTypes, kPhases, typeArray.get(), false);
        us = bstr(L"Us");
    }
};

double firstOf(const VARIANT* v)
{
    CDoubleArray a;
    variantToArray(v, a);
    return a.empty() ? 0.0 : a[0];
}

// One simulator cycle through the vtables; returns the sum of the results.
double vtableCycle(ICapeHydroFlow* flow, ICapeHydroFlowRoutine* routine, CycleArguments& a)
{
    bool ok = true;
    for (int g = 0; g < 3; ++g)
        ok &= flow->SetGeometryProp(a.geometryNames[g].get(), *a.geometry[g].get()) == S_OK;
    ok &= flow->SetPresentPhases(*a.labelArray.get(), *a.stateArray.get(), *a.typeArray.get()) == S_OK;
    for (int p = 0; p < kPhases; ++p) {
        ok &=
            flow->SetSingleHydroProp(a.inputNames[0].get(), a.labels[p].get(), *a.inputs[0][p].get()) == S_OK;
        for (int i = 1; i < 5; ++i)
            ok &= flow->SetSinglePhaseProp(a.inputNames[i].get(), a.labels[p].get(), *a.inputs[i][p].get()) ==
                  S_OK;
    }
    ok &= routine->CalcFlow(a.us.get(), nullptr, nullptr) == S_OK;
    double sum = 0.0;
    UniqueVariant values;
    for (int m = 0; m < 3; ++m) {
        ok &= flow->GetMixtureProp(a.mixtureNames[m].get(), values.put()) == S_OK;
        sum += firstOf(values.get());
    }
    for (int p = 0; p < kPhases; ++p) {
        for (int r = 0; r < 3; ++r) {
            ok &= flow->GetSingleHydroProp(a.phaseResultNames[r].get(), a.labels[p].get(), values.put()) ==
                  S_OK;
            sum += firstOf(values.get());
        }
    }
    if (!ok) {
        std::fprintf(stderr, "a vtable call failed\n");
        std::exit(1);
    }
    return sum;
}

// The dispatch ids of the names a cycle calls, looked up once.
struct DispatchIds {
    DISPID setGeometry = 0, setPresentPhases = 0, setSingleHydro = 0, setSinglePhase = 0, getMixture = 0,
           getSingleHydro = 0, calcFlow = 0;
};

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

double dispatchCycle(IDispatch* flow, IDispatch* routine, const DispatchIds& ids, CycleArguments& a)
{
    bool ok = true;
    for (int g = 0; g < 3; ++g)
        ok &= invoke(flow, ids.setGeometry, {*a.geometry[g].get(), byValue(a.geometryNames[g].get())});
    ok &= invoke(flow, ids.setPresentPhases, {*a.typeArray.get(), *a.stateArray.get(), *a.labelArray.get()});
    for (int p = 0; p < kPhases; ++p) {
        for (int i = 0; i < 5; ++i)
            ok &= invoke(flow, i == 0 ? ids.setSingleHydro : ids.setSinglePhase,
                         {*a.inputs[i][p].get(), byValue(a.labels[p].get()), byValue(a.inputNames[i].get())});
    }
    ok &= invoke(routine, ids.calcFlow, {byValue(nullptr), byValue(nullptr), byValue(a.us.get())});
    double sum = 0.0;
    UniqueVariant values;
    for (int m = 0; m < 3; ++m) {
        ok &= invoke(flow, ids.getMixture, {byReference(values.put()), byValue(a.mixtureNames[m].get())});
        sum += firstOf(values.get());
    }
    for (int p = 0; p < kPhases; ++p) {
        for (int r = 0; r < 3; ++r) {
            ok &= invoke(flow, ids.getSingleHydro,
                         {byReference(values.put()), byValue(a.labels[p].get()),
                          byValue(a.phaseResultNames[r].get())});
            sum += firstOf(values.get());
        }
    }
    if (!ok) {
        std::fprintf(stderr, "an Invoke call failed\n");
        std::exit(1);
    }
    return sum;
}

// What each kind of call of the vtable cycle costs on its own.
void breakdown(long calls)
{
    ComPtr<ICapeHydroFlow> flow;
    COndivar_Velt::createInstance(nullptr, IID_ICapeHydroFlow, flow.putVoid());
    ComPtr<ICapeHydroFlowRoutine> routine = flow.query<ICapeHydroFlowRoutine>();
    CycleArguments a;
    vtableCycle(flow.get(), routine.get(), a);
    UniqueVariant values;
    const auto print = [](const char* what, const Timing& t) {
        std::printf("  %-28s %8.0f ns %6.1f allocations\n", what, t.nanoseconds, t.allocations);
    };
    print("SetGeometryProp", timeIt(calls, [&](long) {
              flow->SetGeometryProp(a.geometryNames[0].get(), *a.geometry[0].get());
          }));
    print("SetPresentPhases", timeIt(calls, [&](long) {
              flow->SetPresentPhases(*a.labelArray.get(), *a.stateArray.get(), *a.typeArray.get());
          }));
    vtableCycle(flow.get(), routine.get(), a);
    print("SetSinglePhaseProp", timeIt(calls, [&](long) {
              flow->SetSinglePhaseProp(a.inputNames[1].get(), a.labels[1].get(), *a.inputs[1][1].get());
          }));
    print("CalcFlow", timeIt(calls, [&](long) { routine->CalcFlow(a.us.get(), nullptr, nullptr); }));
    print("GetMixtureProp",
          timeIt(calls, [&](long) { flow->GetMixtureProp(a.mixtureNames[0].get(), values.put()); }));
    print("GetSingleHydroProp", timeIt(calls, [&](long) {
              flow->GetSingleHydroProp(a.phaseResultNames[0].get(), a.labels[1].get(), values.put());
          }));
    print("the caller reading a result", timeIt(calls, [&](long) { firstOf(values.get()); }));
}

} // namespace

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = HeapAlloc(GetProcessHeap(), 0, size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    if (p != nullptr)
        HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, std::size_t) noexcept
{
    operator delete(p);
}

int main(int argc, char** argv)
{
    const long cycles = argc > 1 ? std::atol(argv[1]) : 20000;
    if (cycles <= 0) {
        std::fprintf(stderr, "usage: ondivar-com-bench [cycles]\n");
        return 2;
    }
    const ComApartment apartment;
    if (FAILED(apartment.hr()))
        return 1;
    setOndivarTypeLibraryFile(ONDIVAR_BENCH_TYPELIB);
    // The component's farewell box is dismissed when the component goes.
    MessageBoxHook farewell;
    double sink = 0.0;

    // The raw model on the inputs the component hands it (per kind, phases in label order).
    CDoubleArray in[5] = {CDoubleArray(3, 0.0), CDoubleArray(3, 0.0), CDoubleArray(3, 0.0),
                          CDoubleArray(3, 0.0), CDoubleArray(3, 0.0)};
    CIntArray kinds(kPhases);
    for (int p = 0; p < kPhases; ++p) {
        kinds[p] = kKinds[p];
        for (int i = 0; i < 5; ++i)
            in[i][kKinds[p]] = kInputs[i][p];
    }
    const CDoubleMatrix pairs(3, 3, 0.0);
    CSimpleHydro model;
    const Timing raw = timeIt(cycles * 10, [&](long) {
        model.SetupFromVelocities(kGeometry[0], kGeometry[2], kGeometry[1], kPhases, kinds, in[0], in[1],
                                  in[2], pairs, in[3], in[4]);
        model.ComputeProperties();
        sink += model.GetDpdzTotal() + model.GetHoldup()[0];
    });

    double vtableSum = 0.0;
    double dispatchSum = 0.0;
    Timing vtable{};
    Timing dispatch{};
    {
        ComPtr<ICapeHydroFlow> flow;
        if (FAILED(COndivar_Velt::createInstance(nullptr, IID_ICapeHydroFlow, flow.putVoid()))) {
            std::fprintf(stderr, "the component could not be created\n");
            return 1;
        }
        ComPtr<ICapeHydroFlowRoutine> routine = flow.query<ICapeHydroFlowRoutine>();
        CycleArguments arguments;
        vtableSum = vtableCycle(flow.get(), routine.get(), arguments);
        vtable = timeIt(cycles, [&](long) { sink += vtableCycle(flow.get(), routine.get(), arguments); });

        DispatchIds ids;
        ids.setGeometry = idOf(flow.get(), L"SetGeometryProp");
        ids.setPresentPhases = idOf(flow.get(), L"SetPresentPhases");
        ids.setSingleHydro = idOf(flow.get(), L"SetSingleHydroProp");
        ids.setSinglePhase = idOf(flow.get(), L"SetSinglePhaseProp");
        ids.getMixture = idOf(flow.get(), L"GetMixtureProp");
        ids.getSingleHydro = idOf(flow.get(), L"GetSingleHydroProp");
        ids.calcFlow = idOf(routine.get(), L"CalcFlow");
        dispatchSum = dispatchCycle(flow.get(), routine.get(), ids, arguments);
        dispatch =
            timeIt(cycles, [&](long) { sink += dispatchCycle(flow.get(), routine.get(), ids, arguments); });
    }
    if (argc > 2)
        breakdown(cycles);
    if (vtableSum != dispatchSum) {
        std::fprintf(stderr, "the two cycles disagree: %.17g and %.17g\n", vtableSum, dispatchSum);
        return 1;
    }

    std::printf("ondivar-com-bench: %s, %ld cycles (raw model: %ld calls)\n",
                sizeof(void*) == 8 ? "64-bit" : "32-bit", cycles, cycles * 10);
    const auto print = [&](const char* what, const Timing& t) {
        std::printf("%-44s %10.0f ns  x%7.1f of the model  %6.1f allocations\n", what, t.nanoseconds,
                    t.nanoseconds / raw.nanoseconds, t.allocations);
    };
    print("model: SetupFromVelocities+ComputeProperties", raw);
    print("cycle through the vtables", vtable);
    print("cycle through IDispatch::Invoke", dispatch);
    std::printf("checksum %.6g\n", sink);
    return 0;
}
