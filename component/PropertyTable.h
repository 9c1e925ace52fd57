// The component's property names, as callers pass them, in one table: what kind of property each is,
// which input or result it stands for, and which of the published lists names it. The setters, the
// getters and the property lists all read this table; the command-line client and the benchmark take the
// names from it too. Plain C++: no COM type.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace ondivar {

namespace property {
inline constexpr const wchar_t* kDiameter = L"diameter";
inline constexpr const wchar_t* kInclination = L"inclination";
inline constexpr const wchar_t* kRoughness = L"roughness";
inline constexpr const wchar_t* kSuperficialVelocity = L"superficialVelocity";
inline constexpr const wchar_t* kDensity = L"density";
inline constexpr const wchar_t* kViscosity = L"viscosity";
inline constexpr const wchar_t* kHeatCapacity = L"heatCapacityCp";
inline constexpr const wchar_t* kThermalConductivity = L"ThermalConductivity";
inline constexpr const wchar_t* kPressureDropFrictional = L"pressureDropFrictional";
inline constexpr const wchar_t* kPressureDropGravity = L"pressureDropGravity";
inline constexpr const wchar_t* kPressureDropTotal = L"pressureDropTotal";
inline constexpr const wchar_t* kAbsoluteVelocity = L"absoluteVelocity";
inline constexpr const wchar_t* kVolumeFraction = L"volumeFraction";
} // namespace property

// Where a property is set or read: each kind is one setter or getter of ICapeHydroFlow.
enum class PropertyKind {
    Geometry,         // SetGeometryProp
    SingleHydroInput, // SetSingleHydroProp, per phase
    SinglePhaseInput, // SetSinglePhaseProp, per phase
    MixtureResult,    // GetMixtureProp
    SingleResult,     // GetSingleHydroProp, per phase
};

// What a property stands for: a member of the component's inputs or a result of the model.
enum class PropertySlot {
    Diameter,
    Inclination,
    Roughness,
    SuperficialVelocity,
    Density,
    Viscosity,
    HeatCapacity,
    ThermalConductivity,
    PressureDropFrictional,
    PressureDropGravity,
    PressureDropTotal,
    AbsoluteVelocity,
    VolumeFraction,
};

struct PropertyEntry {
    const wchar_t* name;
    PropertyKind kind;
    PropertySlot slot;
    // Named by the list of its kind (GetGeometryPropList, GetSingleHydroPropList, GetSinglePhasePropList,
    // CheckMixtureHydroPropList, CheckSingleHydroPropList); a list names its entries in table order.
    bool listed;
};

// Properties accepted but not listed are stored and handed to the model without being published.
inline constexpr PropertyEntry kPropertyTable[] = {
    {property::kDiameter, PropertyKind::Geometry, PropertySlot::Diameter, true},
    {property::kInclination, PropertyKind::Geometry, PropertySlot::Inclination, true},
    {property::kRoughness, PropertyKind::Geometry, PropertySlot::Roughness, true},
    {property::kSuperficialVelocity, PropertyKind::SingleHydroInput, PropertySlot::SuperficialVelocity, true},
    {property::kDensity, PropertyKind::SinglePhaseInput, PropertySlot::Density, true},
    {property::kHeatCapacity, PropertyKind::SinglePhaseInput, PropertySlot::HeatCapacity, false},
    {property::kThermalConductivity, PropertyKind::SinglePhaseInput, PropertySlot::ThermalConductivity,
     false},
    {property::kViscosity, PropertyKind::SinglePhaseInput, PropertySlot::Viscosity, false},
    {property::kPressureDropFrictional, PropertyKind::MixtureResult, PropertySlot::PressureDropFrictional,
     true},
    {property::kPressureDropGravity, PropertyKind::MixtureResult, PropertySlot::PressureDropGravity, true},
    {property::kPressureDropTotal, PropertyKind::MixtureResult, PropertySlot::PressureDropTotal, true},
    {property::kAbsoluteVelocity, PropertyKind::SingleResult, PropertySlot::AbsoluteVelocity, true},
    {property::kSuperficialVelocity, PropertyKind::SingleResult, PropertySlot::SuperficialVelocity, true},
    {property::kVolumeFraction, PropertyKind::SingleResult, PropertySlot::VolumeFraction, true},
};

// The entry of kind named name (compared exactly), or null.
constexpr const PropertyEntry* findProperty(PropertyKind kind, std::wstring_view name) noexcept
{
    for (const PropertyEntry& entry : kPropertyTable)
        if (entry.kind == kind && name == entry.name)
            return &entry;
    return nullptr;
}

// The names of the properties of kind, in table order: all of them, or only the listed ones.
template <PropertyKind Kind, bool ListedOnly = true> constexpr auto propertyNames() noexcept
{
    constexpr std::size_t count = [] {
        std::size_t n = 0;
        for (const PropertyEntry& entry : kPropertyTable)
            n += entry.kind == Kind && (entry.listed || !ListedOnly) ? 1 : 0;
        return n;
    }();
    std::array<const wchar_t*, count> names{};
    std::size_t i = 0;
    for (const PropertyEntry& entry : kPropertyTable)
        if (entry.kind == Kind && (entry.listed || !ListedOnly))
            names[i++] = entry.name;
    return names;
}

} // namespace ondivar
