// The wall heat-transfer correlation shared by the thermal resistance and its derivatives.
#include "hydro/SimpleHydro.h"

#include "hydro/AbsoluteValue.h"
#include "hydro/ElementaryFunctions.h"

namespace ondivar {

namespace {

constexpr double kNusseltFloor = 4.0;

// Not 1/3: the correlation is defined with this exponent.
constexpr double kPrandtlExponent = 0.333333333333;

// kPrandtlExponent log |Pr|, the Prandtl number's share of the exponent.
double PrandtlTerm(double prandtl)
{
    return kPrandtlExponent * NaturalLog(AbsoluteValue(prandtl));
}

// 0.023 |Re|^0.8 |Pr|^0.333333333333, through one exponential: equal to the product of the two powers
// within a few units in the last place, with the same zeros, infinities and NaNs.
double ColburnNusselt(double reynolds, double prandtlTerm)
{
    return 0.023 * NaturalExp(0.8 * NaturalLog(AbsoluteValue(reynolds)) + prandtlTerm);
}

double Floored(double nusselt)
{
    return nusselt < kNusseltFloor ? kNusseltFloor : nusselt; // NaN passes through
}

double WithDerivatives(double nusselt, double reynolds, double prandtl, double& dNuDRe, double& dNuDPr)
{
    if (nusselt < kNusseltFloor) {
        dNuDRe = 0.0;
        dNuDPr = 0.0;
        return kNusseltFloor;
    }
    dNuDRe = (0.8 * nusselt) / AbsoluteValue(reynolds);
    dNuDPr = nusselt / (AbsoluteValue(prandtl) * 3.0);
    return nusselt;
}

} // namespace

double CSimpleHydro::Nusselt(double reynolds, double prandtl)
{
    return Floored(ColburnNusselt(reynolds, PrandtlTerm(prandtl)));
}

double CSimpleHydro::NusseltDeriv(double reynolds, double prandtl, double& dNuDRe, double& dNuDPr)
{
    return WithDerivatives(ColburnNusselt(reynolds, PrandtlTerm(prandtl)), reynolds, prandtl, dNuDRe, dNuDPr);
}

double CSimpleHydro::ColburnNusseltOfKind(int kind, double reynolds, double prandtl)
{
    CNusseltMemo& memo = m_nusseltMemo[kind];
    if (!(reynolds == memo.reynolds && prandtl == memo.prandtl)) {
        memo.nusselt = ColburnNusselt(reynolds, PrandtlTermOfKind(kind, prandtl));
        memo.reynolds = reynolds;
        memo.prandtl = prandtl;
    }
    return memo.nusselt;
}

double CSimpleHydro::PrandtlTermOfKind(int kind, double prandtl)
{
    CNusseltMemo& memo = m_nusseltMemo[kind];
    if (!(prandtl == memo.termPrandtl)) {
        memo.prandtlTerm = PrandtlTerm(prandtl);
        memo.termPrandtl = prandtl;
    }
    return memo.prandtlTerm;
}

double CSimpleHydro::NusseltOfKind(int kind, double reynolds, double prandtl)
{
    return Floored(ColburnNusseltOfKind(kind, reynolds, prandtl));
}

double CSimpleHydro::NusseltDerivOfKind(int kind, double reynolds, double prandtl, double& dNuDRe,
                                        double& dNuDPr)
{
    return WithDerivatives(ColburnNusseltOfKind(kind, reynolds, prandtl), reynolds, prandtl, dNuDRe, dNuDPr);
}

} // namespace ondivar
