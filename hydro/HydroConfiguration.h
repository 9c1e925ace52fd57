// The one error the model raises: an invalid phase configuration, raised with the library code of a bad
// argument.
#pragma once

#include "hydro/Hydro.h"
#include "support/CapeErrorClasses.h"

#include <initializer_list>

namespace ondivar {

constexpr HRESULT kInvalidHydroConfiguration = libraryCode(kCapeBadArgument);
constexpr const wchar_t* kInvalidHydroConfigurationName = L"Invalid hydro configuration.";

// Throws TarvoException::CMyException with the configuration error when ok is false.
void CheckHydroConfiguration(bool ok);

// Checks a phase list before anything is read through it: 0 <= phaseCount <= kModelSlots, phaseKinds
// holds phaseCount entries, and each listed kind is a slot of the model's arrays and of every array in
// indexed (the arrays read at the listed kinds).
void CheckPhaseList(int phaseCount, const CIntArray& phaseKinds,
                    std::initializer_list<const CDoubleArray*> indexed);

// Checks that every pair of listed kinds (i, j) is an element of matrix.
void CheckPairMatrix(int phaseCount, const CIntArray& phaseKinds, const CDoubleMatrix& matrix);

} // namespace ondivar
