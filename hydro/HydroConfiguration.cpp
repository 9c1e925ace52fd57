#include "hydro/HydroConfiguration.h"

#include "support/TarvoException.h"

namespace ondivar {

namespace {

const HRESULT kInvalidHydroConfiguration = static_cast<HRESULT>(0x80040009u);

bool IsIndexOf(int index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

} // namespace

void CheckHydroConfiguration(bool ok)
{
    TarvoException::checkCondition(
        ok, kInvalidHydroConfiguration, L"Invalid hydro configuration.",
        L"Fail to compute hydro properties: present phases are not valid. Please contact support.\n");
}

void CheckPhaseList(int phaseCount, const CIntArray& phaseKinds,
                    std::initializer_list<const CDoubleArray*> indexed)
{
    CheckHydroConfiguration(phaseCount >= 0 && phaseCount <= kModelSlots &&
                            static_cast<std::size_t>(phaseCount) <= phaseKinds.size());
    for (int p = 0; p < phaseCount; ++p) {
        const int kind = phaseKinds[p];
        bool ok = IsIndexOf(kind, kModelSlots);
        for (const CDoubleArray* array : indexed)
            ok = ok && IsIndexOf(kind, array->size());
        CheckHydroConfiguration(ok);
    }
}

void CheckPairMatrix(int phaseCount, const CIntArray& phaseKinds, const CDoubleMatrix& matrix)
{
    // The kinds are already known to be non-negative slots of the model.
    for (int p = 0; p < phaseCount; ++p) {
        const int row = phaseKinds[p];
        CheckHydroConfiguration(IsIndexOf(row, matrix.rows()));
        for (int q = 0; q < phaseCount; ++q)
            CheckHydroConfiguration(IsIndexOf(phaseKinds[q], matrix[row].size()));
    }
}

} // namespace ondivar
