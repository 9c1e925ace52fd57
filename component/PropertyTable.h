// The component's property names, as callers pass them, in one table: what kind of property each is,
// which input or result it stands for, and which of the published lists names it. The setters, the
// getters and the property lists all read this table; the command-line client and the benchmark take the
// names from it too. Plain C++: no COM type.
#pragma once

#include "support/ShortTexts.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace ondivar {

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
    // A literal, so null-terminated; held with its length, which a lookup compares first.
    std::wstring_view name;
    PropertyKind kind;
    PropertySlot slot;
    // Named by the list of its kind (GetGeometryPropList, GetSingleHydroPropList, GetSinglePhasePropList,
    // CheckMixtureHydroPropList, CheckSingleHydroPropList); a list names its entries in table order.
    bool listed;
};

// Properties accepted but not listed are stored and handed to the model without being published.
inline constexpr PropertyEntry kPropertyTable[] = {
    {L"diameter", PropertyKind::Geometry, PropertySlot::Diameter, true},
    {L"inclination", PropertyKind::Geometry, PropertySlot::Inclination, true},
    {L"roughness", PropertyKind::Geometry, PropertySlot::Roughness, true},
    {L"superficialVelocity", PropertyKind::SingleHydroInput, PropertySlot::SuperficialVelocity, true},
    {L"density", PropertyKind::SinglePhaseInput, PropertySlot::Density, true},
    {L"heatCapacityCp", PropertyKind::SinglePhaseInput, PropertySlot::HeatCapacity, false},
    {L"ThermalConductivity", PropertyKind::SinglePhaseInput, PropertySlot::ThermalConductivity, false},
    {L"viscosity", PropertyKind::SinglePhaseInput, PropertySlot::Viscosity, false},
    {L"pressureDropFrictional", PropertyKind::MixtureResult, PropertySlot::PressureDropFrictional, true},
    {L"pressureDropGravity", PropertyKind::MixtureResult, PropertySlot::PressureDropGravity, true},
    {L"pressureDropTotal", PropertyKind::MixtureResult, PropertySlot::PressureDropTotal, true},
    {L"absoluteVelocity", PropertyKind::SingleResult, PropertySlot::AbsoluteVelocity, true},
    {L"superficialVelocity", PropertyKind::SingleResult, PropertySlot::SuperficialVelocity, true},
    {L"volumeFraction", PropertyKind::SingleResult, PropertySlot::VolumeFraction, true},
};

// The entry of kind named name (compared exactly), or null.
constexpr const PropertyEntry* findProperty(PropertyKind kind, std::wstring_view name) noexcept
{
    for (const PropertyEntry& entry : kPropertyTable)
        if (entry.kind == kind && sameText(name, entry.name))
            return &entry;
    return nullptr;
}

// The name of the property that stands for slot.
constexpr const wchar_t* nameOf(PropertySlot slot) noexcept
{
    for (const PropertyEntry& entry : kPropertyTable)
        if (entry.slot == slot)
            return entry.name.data();
    return L"";
}

// The names of the listed properties of kind, in table order: the published list of that kind.
template <PropertyKind Kind> constexpr auto propertyNames() noexcept
{
    constexpr std::size_t count = [] {
        std::size_t n = 0;
        for (const PropertyEntry& entry : kPropertyTable)
            n += entry.kind == Kind && entry.listed ? 1 : 0;
        return n;
    }();
    std::array<const wchar_t*, count> names{};
    std::size_t i = 0;
    for (const PropertyEntry& entry : kPropertyTable)
        if (entry.kind == Kind && entry.listed)
            names[i++] = entry.name.data();
    return names;
}

} // namespace ondivar
