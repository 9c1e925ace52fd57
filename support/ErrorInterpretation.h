// Which error object a failure gets: interpretHResult for an HRESULT raised inside the system (a standard
// English text and the CAPE-OPEN HRESULT it is reported under), createCapeError for a CAPE-OPEN HRESULT
// whose details are read from another CAPE-OPEN object.
#pragma once

#include "support/CapeErrors.h"

#include <memory>

namespace TarvoException {

// Makes the error object for a raised hr (code = hr, description = the standard text of hr) and returns
// the CAPE-OPEN HRESULT to report it with. Always makes an object.
HRESULT interpretHResult(HRESULT hr, std::unique_ptr<CCapeUser>& error);

// The error class of CAPE-OPEN HRESULT hr (CCapeUnknown for anything else), filled from the error
// interfaces of source. source is only used during the call; it may be null (nothing can be read).
std::unique_ptr<CCapeUser> createCapeError(HRESULT hr, IDispatch* source);

} // namespace TarvoException
