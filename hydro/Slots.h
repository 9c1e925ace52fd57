// Writing the slots of the model's arrays. Every per-phase array of the model has kModelSlots slots
// (a matrix kModelSlots x kModelSlots, a cube kModelSlots in each dimension); the holdup-driven modes and
// their derivatives cover only the first kStateKinds. The count of slots is a constant, so that the
// compiler writes them as so many plain stores.
#pragma once

#include "hydro/Hydro.h"

namespace ondivar {

// The kinds with a holdup state variable (vapour, organic, aqueous): a derivative is written at these
// slots only, the others stay undefined.
constexpr int kStateKinds = 3;

// Slots 0 to slots - 1 of a (in each dimension) take value.
template <int slots, class T> void FillSlots(CArray1D<T>& a, const T& value)
{
    for (int i = 0; i < slots; ++i)
        a[i] = value;
}

template <int slots> void FillSlots(CDoubleMatrix& m, double value)
{
    for (int i = 0; i < slots; ++i)
        FillSlots<slots>(m[i], value);
}

template <int slots> void FillSlots(CDoubleArray3D& c, double value)
{
    for (int i = 0; i < slots; ++i)
        FillSlots<slots>(c[i], value);
}

} // namespace ondivar
