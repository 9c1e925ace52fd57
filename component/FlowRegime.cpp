#include "component/FlowRegime.h"

namespace ondivar {

FlowRegimeNames flowRegimeOf(EHydroFlowPatterns pattern)
{
    switch (pattern) {
    case eSinglePhaseVapor:
    case eSinglePhaseLiquid:
    case eSinglePhaseWater:
        return {L"Homogeneous", L"SinglePhase"};
    case eLiquidLiquid:
        return {L"Homogeneous", L"TwoPhase"};
    case eStratifiedSmooth:
    case eThreePhase:
        return {L"Separated", L"StratifiedSmooth"};
    case eStratifiedWavy:
        return {L"Separated", L"StratifiedWavy"};
    case eAnnular:
        return {L"Separated", L"Annular"};
    case eBubble:
        return {L"Bubble", nullptr};
    case eSlug:
        return {L"Slug", nullptr};
    }
    return {nullptr, nullptr};
}

} // namespace ondivar
