// Times the hydrodynamic model: the velocity-driven calculation of a three-phase flow, and the
// holdup-driven mode 1 with its derivatives. Prints, per call, the elapsed and the thread's CPU
// nanoseconds (the two differ on a loaded machine) and the heap allocations.
#include "hydro/SimpleHydro.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// Every heap allocation of the program passes here.
unsigned long long g_allocations = 0;

ondivar::CDoubleArray Values(double a, double b, double c)
{
    ondivar::CDoubleArray values(3);
    values[0] = a;
    values[1] = b;
    values[2] = c;
    return values;
}

struct CInputs {
    ondivar::CIntArray kinds{3};
    ondivar::CDoubleArray superficialVelocity = Values(2.0, 0.5, 0.5);
    ondivar::CDoubleArray holdup = Values(0.3, 0.5, 0.2);
    ondivar::CDoubleArray density = Values(20.0, 850.0, 1000.0);
    ondivar::CDoubleArray viscosity = Values(1.5e-5, 0.002, 0.0008);
    ondivar::CDoubleMatrix pairs{3, 3, 0.0};
    ondivar::CDoubleArray heatCapacity = Values(2000.0, 2000.0, 4180.0);
    ondivar::CDoubleArray conductivity = Values(0.03, 0.13, 0.6);
    CInputs()
    {
        for (int i = 0; i < 3; ++i)
            kinds[i] = i;
    }
};

struct CTiming {
    double nanosecondsPerCall;
    double cpuNanosecondsPerCall;
    double allocationsPerCall;
};

// User plus kernel time of the calling thread, in ns.
double ThreadCpuNanoseconds()
{
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    auto hundreds = [](const FILETIME& t) {
        return double((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (hundreds(kernel) + hundreds(user)) * 100.0;
}

// Runs call(i) calls times; the result is summed so that no call can be dropped.
template <class Call> CTiming Time(long calls, Call call, double& sink)
{
    const unsigned long long allocationsBefore = g_allocations;
    const double cpuStart = ThreadCpuNanoseconds();
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < calls; ++i)
        sink += call(i);
    const auto stop = std::chrono::steady_clock::now();
    const double cpu = ThreadCpuNanoseconds() - cpuStart;
    const double nanoseconds = std::chrono::duration<double, std::nano>(stop - start).count();
    return {nanoseconds / calls, cpu / calls, double(g_allocations - allocationsBefore) / calls};
}

} // namespace

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

int main(int argc, char** argv)
{
    const long calls = argc > 1 ? std::atol(argv[1]) : 2000000;
    if (calls <= 0) {
        std::fprintf(stderr, "usage: ondivar-model-bench [calls]\n");
        return 2;
    }
    CInputs in;
    ondivar::CSimpleHydro model;
    double sink = 0.0;

    // The diameter changes a little from call to call so that every call computes afresh.
    const CTiming velocities = Time(
        calls,
        [&](long i) {
            model.SetupFromVelocities(0.1 + 1e-9 * (i & 1023), 1e-5, 1.0, 3, in.kinds, in.superficialVelocity,
                                      in.density, in.viscosity, in.pairs, in.heatCapacity, in.conductivity);
            model.ComputeProperties();
            return model.GetDpdzTotal() + model.GetThermalResistance();
        },
        sink);
    const CTiming holdups = Time(
        calls,
        [&](long i) {
            model.SetupFromHoldupsAndMassVelocity(0.1 + 1e-9 * (i & 1023), 1e-5, 1.0, 3, in.kinds, in.holdup,
                                                  1.5, in.density, in.viscosity, in.pairs, in.heatCapacity,
                                                  in.conductivity);
            model.ComputeProperties();
            model.ComputeDerivatives();
            return model.GetDThermalDMassVelocity() + model.GetDDpdzDHoldup()[0];
        },
        sink);

    std::printf("model: %s, %ld calls each\n", sizeof(void*) == 8 ? "64-bit" : "32-bit", calls);
    const auto print = [](const char* what, const CTiming& t) {
        std::printf("%s: %.0f ns/call elapsed, %.0f ns/call CPU, %.2f allocations/call\n", what,
                    t.nanosecondsPerCall, t.cpuNanosecondsPerCall, t.allocationsPerCall);
    };
    print("SetupFromVelocities + ComputeProperties (three phases)", velocities);
    print("SetupFromHoldupsAndMassVelocity + ComputeProperties + ComputeDerivatives", holdups);
    std::printf("checksum %.6g\n", sink);
    return 0;
}
