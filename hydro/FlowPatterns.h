// Flow-pattern codes: the first digit counts the phases.
#pragma once

namespace ondivar {

enum EHydroFlowPatterns : int {
    eSinglePhaseVapor = 10010000,
    eSinglePhaseLiquid = 10020000,
    eSinglePhaseWater = 10030000,
    eStratifiedSmooth = 20010000,
    eStratifiedWavy = 20020000,
    eAnnular = 20030000,
    eBubble = 20110000,
    eSlug = 20210000,
    eLiquidLiquid = 25000000,
    eThreePhase = 33510000,
};

} // namespace ondivar
