// Phase kinds: every per-phase array of the model and of the component is indexed by them.
#pragma once

namespace ondivar {

enum EPhases : int {
    eVapor = 0,  // vapour
    eLiquid = 1, // organic liquid
    eWater = 2,  // aqueous liquid
};

// Kinds the component can declare.
constexpr int kPhaseKindCount = 3;
// Slots of the model's per-phase arrays (the last one is never filled by an input).
constexpr int kModelSlots = 4;

} // namespace ondivar
