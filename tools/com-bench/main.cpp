// Times what a simulator pays for one flow calculation through the component against what Automation
// itself costs for the same calls. The component is created as a simulator creates it: from its
// registered program identifier with CoCreateInstance (register Ondivar.dll in the prefix first;
// scripts/com-bench.sh does). One case, a vertical pipe with gas, oil and water; measured, in
// alternating rounds so that a change of machine load touches all alike:
// - the OLE floor: the Automation calls and name comparisons the cycle cannot avoid (OleFloor.h);
// - the cycle through the vtables and through IDispatch::Invoke (ComponentCycles.h);
// - the model alone on the same inputs (SetupFromVelocities + ComputeProperties, linked in).
// Prints the median of the rounds, the ratios, and the allocations the component's DLL made per cycle.
// Usage: ondivar-com-bench [cycles [breakdown | only-floor | only-vtable | only-invoke | only-model]]
// An only-... run times nothing but that cycle, all cycles in one go: the run to take a profile of.
#include "tools/com-bench/AllocationCounter.h"
#include "tools/com-bench/ComponentCycles.h"
#include "tools/com-bench/CycleCase.h"
#include "tools/com-bench/OleFloor.h"

#include "hydro/SimpleHydro.h"
#include "tools/common/ComApartment.h"
#include "tools/common/MessageBoxHook.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace ondivar;
using namespace ondivar::bench;

namespace {

constexpr const wchar_t* kProgramId = L"Ondivar.Ondivar_Velt";
constexpr const wchar_t* kModuleName = L"Ondivar.dll";
constexpr int kRounds = 10;

struct Timing {
    double nanoseconds;
    double allocations;
};

template <class Call> Timing timeIt(long calls, Call call)
{
    const unsigned long long allocationsBefore = countedAllocations();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < calls; ++i)
        call();
    const auto stop = std::chrono::steady_clock::now();
    return {std::chrono::duration<double, std::nano>(stop - start).count() / calls,
            double(countedAllocations() - allocationsBefore) / calls};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// The model on the inputs the component hands it (per kind, phases in label order).
class ModelAlone {
public:
    ModelAlone() : m_kinds(kPhases), m_pairs(3, 3, 0.0)
    {
        const EPhases kinds[kPhases] = {eVapor, eLiquid, eWater};
        for (auto& values : m_inputs)
            values = CDoubleArray(3, 0.0);
        for (int p = 0; p < kPhases; ++p) {
            m_kinds[p] = kinds[p];
            for (int i = 0; i < kInputs; ++i)
                m_inputs[i][kinds[p]] = kInputValues[i][p];
        }
    }
    double run()
    {
        m_model.SetupFromVelocities(kGeometryValues[0], kGeometryValues[2], kGeometryValues[1], kPhases,
                                    m_kinds, m_inputs[0], m_inputs[1], m_inputs[2], m_pairs, m_inputs[3],
                                    m_inputs[4]);
        m_model.ComputeProperties();
        return m_model.GetDpdzTotal() + m_model.GetHoldup()[0];
    }

private:
    CIntArray m_kinds;
    CDoubleArray m_inputs[kInputs];
    CDoubleMatrix m_pairs;
    CSimpleHydro m_model;
};

// What each kind of call of the vtable cycle costs on its own.
void breakdown(ComponentCycles& cycles, const CycleArguments& a, long calls)
{
    ICapeHydroFlow* flow = cycles.flow();
    ICapeHydroFlowRoutine* routine = cycles.routine();
    UniqueVariant values;
    cycles.vtableCycle(a);
    const auto print = [](const char* what, const Timing& t) {
        std::printf("  %-28s %8.0f ns %6.1f allocations\n", what, t.nanoseconds, t.allocations);
    };
    print("SetGeometryProp",
          timeIt(calls, [&] { flow->SetGeometryProp(a.geometryNames[0].get(), *a.geometry[0].get()); }));
    print("SetPresentPhases", timeIt(calls, [&] {
              flow->SetPresentPhases(*a.labelArray.get(), *a.stateArray.get(), *a.typeArray.get());
          }));
    print("SetSinglePhaseProp", timeIt(calls, [&] {
              flow->SetSinglePhaseProp(a.inputNames[1].get(), a.labels[1].get(), *a.inputs[1][1].get());
          }));
    print("CalcFlow", timeIt(calls, [&] { routine->CalcFlow(a.us.get(), nullptr, nullptr); }));
    print("GetMixtureProp",
          timeIt(calls, [&] { flow->GetMixtureProp(a.mixtureNames[0].get(), values.put()); }));
    print("GetSingleHydroProp", timeIt(calls, [&] {
              flow->GetSingleHydroProp(a.phaseResultNames[0].get(), a.labels[1].get(), values.put());
          }));
}

} // namespace

int main(int argc, char** argv)
{
    const long cycles = argc > 1 ? std::atol(argv[1]) : 20000;
    if (cycles < kRounds) {
        std::fprintf(stderr,
                     "usage: ondivar-com-bench [cycles (at least %d) [breakdown | only-floor | only-vtable | "
                     "only-invoke | only-model]]\n",
                     kRounds);
        return 2;
    }
    const ComApartment apartment;
    if (FAILED(apartment.hr()))
        return 1;
    // The component's farewell box is dismissed when the component goes.
    MessageBoxHook farewell;

    CLSID classId;
    HRESULT hr = CLSIDFromProgID(kProgramId, &classId);
    if (FAILED(hr)) {
        std::fprintf(stderr, "%ls is not registered (0x%08lX): register Ondivar.dll with regsvr32 first\n",
                     kProgramId, static_cast<unsigned long>(hr));
        return 1;
    }
    ComPtr<ICapeHydroFlow> flow;
    hr = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_ICapeHydroFlow, flow.putVoid());
    if (FAILED(hr)) {
        std::fprintf(stderr, "CoCreateInstance of %ls failed (0x%08lX)\n", kProgramId,
                     static_cast<unsigned long>(hr));
        return 1;
    }
    if (!countAllocationsOf(GetModuleHandleW(kModuleName)))
        std::fprintf(stderr, "note: the allocations of %ls cannot be counted\n", kModuleName);

    double sink = 0.0;
    const CycleArguments arguments;
    ComponentCycles component(flow);
    OleFloor floor;
    ModelAlone model;
    const double vtableSum = component.vtableCycle(arguments);
    const double dispatchSum = component.dispatchCycle(arguments);
    if (vtableSum != dispatchSum) {
        std::fprintf(stderr, "the two cycles disagree: %.17g and %.17g\n", vtableSum, dispatchSum);
        return 1;
    }
    sink += floor.cycle(arguments) + model.run();

    const std::string mode = argc > 2 ? argv[2] : "";
    if (mode.rfind("only-", 0) == 0) {
        const std::string which = mode.substr(5);
        Timing t{};
        if (which == "floor")
            t = timeIt(cycles, [&] { sink += floor.cycle(arguments); });
        else if (which == "vtable")
            t = timeIt(cycles, [&] { sink += component.vtableCycle(arguments); });
        else if (which == "invoke")
            t = timeIt(cycles, [&] { sink += component.dispatchCycle(arguments); });
        else if (which == "model")
            t = timeIt(cycles, [&] { sink += model.run(); });
        else {
            std::fprintf(stderr, "unknown cycle %s\n", which.c_str());
            return 2;
        }
        std::printf("%s: %ld cycles, %.0f ns/cycle, %.1f allocations (checksum %.6g)\n", which.c_str(),
                    cycles, t.nanoseconds, t.allocations, sink);
        return 0;
    }

    const long perRound = cycles / kRounds;
    std::vector<double> floorNs, vtableNs, dispatchNs, modelNs;
    double vtableAllocations = 0.0;
    double dispatchAllocations = 0.0;
    for (int round = 0; round < kRounds; ++round) {
        floorNs.push_back(timeIt(perRound, [&] { sink += floor.cycle(arguments); }).nanoseconds);
        const Timing vtable = timeIt(perRound, [&] { sink += component.vtableCycle(arguments); });
        const Timing dispatch = timeIt(perRound, [&] { sink += component.dispatchCycle(arguments); });
        modelNs.push_back(timeIt(perRound, [&] { sink += model.run(); }).nanoseconds);
        vtableNs.push_back(vtable.nanoseconds);
        dispatchNs.push_back(dispatch.nanoseconds);
        vtableAllocations += vtable.allocations / kRounds;
        dispatchAllocations += dispatch.allocations / kRounds;
    }
    if (mode == "breakdown")
        breakdown(component, arguments, perRound);

    const double floorMedian = median(floorNs);
    const double vtableMedian = median(vtableNs);
    const double dispatchMedian = median(dispatchNs);
    std::printf("ondivar-com-bench: %s, %ld cycles each in %d alternating rounds, medians of the rounds\n",
                sizeof(void*) == 8 ? "64-bit" : "32-bit", perRound * kRounds, kRounds);
    std::printf("%-34s %10s %9s %9s %12s\n", "", "ns/cycle", "x floor", "x vtable", "allocations");
    std::printf("%-34s %10.0f %9.2f %9s %12s\n", "OLE floor", floorMedian, 1.0, "", "");
    std::printf("%-34s %10.0f %9.2f %9s %12.1f\n", "cycle through the vtables", vtableMedian,
                vtableMedian / floorMedian, "", vtableAllocations);
    std::printf("%-34s %10.0f %9.2f %9.2f %12.1f\n", "cycle through IDispatch::Invoke", dispatchMedian,
                dispatchMedian / floorMedian, dispatchMedian / vtableMedian, dispatchAllocations);
    std::printf("%-34s %10.0f\n", "model alone (set-up + properties)", median(modelNs));
    std::printf("allocations: those the component's DLL made itself per cycle\n");
    std::printf("checksum %.6g\n", sink);
    return 0;
}
