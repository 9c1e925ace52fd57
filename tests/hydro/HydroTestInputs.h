// Inputs for driving the model in tests: per-kind arrays of the component's size (3 slots).
#pragma once

#include "hydro/SimpleHydro.h"
#include "hydro/Undefined.h"
#include "support/TarvoException.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace ondivar::testing {

inline CDoubleArray Values(std::initializer_list<double> values)
{
    CDoubleArray a(values.size());
    std::size_t i = 0;
    for (double v : values)
        a[i++] = v;
    return a;
}

inline CIntArray Kinds(std::initializer_list<int> kinds)
{
    CIntArray a(kinds.size());
    std::size_t i = 0;
    for (int k : kinds)
        a[i++] = k;
    return a;
}

// Every value of the derivative arrays and matrices at every slot, in a fixed order.
inline std::vector<double> DerivativeValues(const CHydro& h)
{
    std::vector<double> values;
    const auto add = [&](const CDoubleArray& a) { values.insert(values.end(), a.begin(), a.end()); };
    for (const CDoubleArray* a :
         {&h.GetDSpare(), &h.GetDVelocityDMassVelocity(), &h.GetDVelocityDDrivingVelocity(),
          &h.GetDDpdzDHoldup(), &h.GetDDpdzDDensity(), &h.GetDDpdzDViscosity(), &h.GetDThermalDHoldup(),
          &h.GetDThermalDDensity(), &h.GetDThermalDViscosity(), &h.GetDThermalDHeatCapacity(),
          &h.GetDThermalDConductivity()})
        add(*a);
    for (const CDoubleMatrix* m :
         {&h.GetDVelocityDHoldup(), &h.GetDVelocityDDensity(), &h.GetDVelocityDViscosity(),
          &h.GetDDpdzDPairProps(), &h.GetDThermalDPairProps()})
        for (std::size_t i = 0; i < m->rows(); ++i)
            add((*m)[i]);
    for (std::size_t i = 0; i < h.GetDVelocityDPairProps().planes(); ++i)
        for (std::size_t j = 0; j < h.GetDVelocityDPairProps()[i].rows(); ++j)
            add(h.GetDVelocityDPairProps()[i][j]);
    return values;
}

// The same values bit for bit (NaNs included), in the same order.
inline bool SameBits(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// A velocity-driven case; unlisted kinds hold numbers that must never show in a result.
struct CFlowCase {
    double diameter = 0.1;
    double roughness = 1e-5;
    double inclination = 1.0;
    CIntArray kinds = Kinds({eVapor, eLiquid});
    CDoubleArray superficialVelocity = Values({1.0, 1.0, 1.0});
    CDoubleArray density = Values({50.0, 800.0, 1000.0});
    CDoubleArray viscosity = Values({1.5e-05, 0.002, 0.001});
    CDoubleMatrix pairs = CDoubleMatrix(3, 3, 0.25);
    CDoubleArray heatCapacity = Values({2000.0, 2000.0, 4180.0});
    CDoubleArray conductivity = Values({0.03, 0.13, 0.6});

    void Setup(CSimpleHydro& model, int phaseCount) const
    {
        model.SetupFromVelocities(diameter, roughness, inclination, phaseCount, kinds, superficialVelocity,
                                  density, viscosity, pairs, heatCapacity, conductivity);
    }
    void Setup(CSimpleHydro& model) const { Setup(model, static_cast<int>(kinds.size())); }
    void Run(CSimpleHydro& model) const
    {
        Setup(model);
        model.ComputeProperties();
    }
};

// A holdup-driven case: vapour, organic and aqueous liquid in slots 0, 1, 2.
struct CHoldupCase {
    double diameter = 0.1;
    double roughness = 1e-5;
    double inclination = 1.0;
    int phaseCount = 3;
    CIntArray kinds = Kinds({eVapor, eLiquid, eWater});
    CDoubleArray holdup = Values({0.3, 0.5, 0.2});
    double drivingVelocity = 1.5;
    CDoubleArray density = Values({50.0, 800.0, 1000.0});
    CDoubleArray viscosity = Values({1.5e-05, 0.002, 0.001});
    CDoubleMatrix pairs = CDoubleMatrix(3, 3, 0.25);
    CDoubleArray heatCapacity = Values({2000.0, 2000.0, 4180.0});
    CDoubleArray conductivity = Values({0.03, 0.13, 0.6});

    int SetupMassVelocity(CSimpleHydro& model) const
    {
        return model.SetupFromHoldupsAndMassVelocity(diameter, roughness, inclination, phaseCount, kinds,
                                                     holdup, drivingVelocity, density, viscosity, pairs,
                                                     heatCapacity, conductivity);
    }
    int SetupMixtureVelocity(CSimpleHydro& model) const
    {
        return model.SetupFromHoldupsAndMixtureVelocity(diameter, roughness, inclination, phaseCount, kinds,
                                                        holdup, drivingVelocity, density, viscosity, pairs,
                                                        heatCapacity, conductivity);
    }
};

// Runs action and expects the model's configuration error.
template <class Action> void ExpectConfigurationError(Action action)
{
    try {
        action();
        ADD_FAILURE() << "no configuration error";
    } catch (const TarvoException::CMyException& e) {
        long code = 0;
        std::wstring name, description;
        e.getCode(code);
        e.getName(name);
        e.getDescription(description);
        EXPECT_EQ(static_cast<long>(0x80040009u), code);
        EXPECT_EQ(L"Invalid hydro configuration.", name);
        const std::wstring message =
            L"Fail to compute hydro properties: present phases are not valid. Please contact support.\n";
        EXPECT_TRUE(description.size() >= message.size() &&
                    description.compare(description.size() - message.size(), message.size(), message) == 0);
    }
}

} // namespace ondivar::testing
