#include "hydro/SimpleHydro.h"

#include "hydro/ModelConstants.h"
#include "hydro/Undefined.h"

namespace ondivar {

CSimpleHydro::CSimpleHydro() : m_frictionFactor(0.005), m_phasePresent{false, false, false, false}
{
    m_nusseltMemo.fill( // NaN matches nothing
        {kUndefinedReal, kUndefinedReal, kUndefinedReal, kUndefinedReal, kUndefinedReal});
    // A count of resets no model reaches: nothing is known yet.
    m_stateHeatTransfer.fill({~0ull, {}, kUndefinedReal});
    m_patternTable[1] = {eSinglePhaseVapor, 1.0};
    m_patternTable[2] = {eSinglePhaseLiquid, 0.0};
    m_patternTable[3] = {eSlug, 0.5};
    m_patternTable[4] = {eSinglePhaseWater, 0.0};
    m_patternTable[5] = {eSlug, 0.5};
    m_patternTable[6] = {eLiquidLiquid, 0.0};
    m_patternTable[7] = {eThreePhase, 0.5};
    m_patternByKey.fill({false, {}});
    for (const auto& [key, patternAndValue] : m_patternTable)
        m_patternByKey[key] = {true, patternAndValue};
}

CSimpleHydro::~CSimpleHydro() = default;

int CSimpleHydro::GetModelType()
{
    return 2;
}

void CSimpleHydro::UpdatePresence()
{
    for (int i = 0; i < kModelSlots; ++i)
        m_phasePresent[i] = m_holdup[i] > kPresenceHoldup; // false for NaN
}

} // namespace ondivar
