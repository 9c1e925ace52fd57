#include "hydro/HydroConfiguration.h"

#include "support/TarvoException.h"

#include <algorithm>

namespace ondivar {

namespace {

bool IsIndexOf(int index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

} // namespace

void CheckHydroConfiguration(bool ok)
{
    TarvoException::checkCondition(
        ok, kInvalidHydroConfiguration, kInvalidHydroConfigurationName,
        L"Fail to compute hydro properties: present phases are not valid. Please contact support.\n");
}

void CheckPhaseList(int phaseCount, const CIntArray& phaseKinds,
                    std::initializer_list<const CDoubleArray*> indexed)
{
    // A kind is a slot of the model and of every indexed array when it is below the smallest of them.
    std::size_t slots = kModelSlots;
    for (const CDoubleArray* array : indexed)
        slots = std::min(slots, array->size());
    bool ok = phaseCount >= 0 && phaseCount <= kModelSlots &&
              static_cast<std::size_t>(phaseCount) <= phaseKinds.size();
    for (int p = 0; ok && p < phaseCount; ++p)
        ok = IsIndexOf(phaseKinds[p], slots);
    if (!ok)
        CheckHydroConfiguration(false);
}

void CheckPairMatrix(int phaseCount, const CIntArray& phaseKinds, const CDoubleMatrix& matrix)
{
    // The kinds are already known to be non-negative slots of the model.
    bool ok = true;
    for (int p = 0; ok && p < phaseCount; ++p) {
        const int row = phaseKinds[p];
        ok = IsIndexOf(row, matrix.rows());
        for (int q = 0; ok && q < phaseCount; ++q)
            ok = IsIndexOf(phaseKinds[q], matrix[row].size());
    }
    if (!ok)
        CheckHydroConfiguration(false);
}

} // namespace ondivar
