// The texts a dispatch client receives with a failed call: Invoke fills the caller's EXCEPINFO from the
// failing object's CAPE-OPEN error interfaces, or says which type library a member needs when that
// library cannot be loaded. The COM error-information objects are not used.
#pragma once

#include "com/TypeInfoCache.h"

#include <oaidl.h>

namespace ondivar {

// After a member of object failed through ITypeInfo::Invoke (DISP_E_EXCEPTION, scode holding the
// member's HRESULT): bstrDescription becomes the object's recorded description (ECapeUser), or, when
// that is empty, the error's name (ECapeRoot) with the interface and operation; bstrSource becomes the
// object's component name (ICapeIdentification). Texts the type information put there are replaced;
// an object without those interfaces leaves them as they are.
void describeRecordedFailure(IUnknown* object, EXCEPINFO& exception) noexcept;

// A member of object whose type library cannot be loaded (loadFailure): with an EXCEPINFO,
// DISP_E_EXCEPTION with scode loadFailure, a description naming the library and the component name as
// source; without one, loadFailure itself.
HRESULT missingLibraryFailure(IUnknown* object, TypeLibraryId library, HRESULT loadFailure,
                              EXCEPINFO* exception) noexcept;

} // namespace ondivar
