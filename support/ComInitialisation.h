// COM initialisation of the calling thread in the mode that the suite's "Initialisation" setting names,
// and a small VARIANT preparation helper.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace ondivar {

// Initialises COM on the calling thread: "multithread" (any case) tries the multithreaded model,
// "speedovermemory" (any case) the multithreaded model with the speed-over-memory flag, and either falls
// back to the apartment-threaded model, which any other mode uses directly. Without a readable setting
// COM is left untouched. Returns true when a call succeeded (S_OK or S_FALSE): the caller then owes
// exactly one CoUninitialize on this thread. Throws TarvoException::CMyException ("Initialization
// error.") when every call failed.
bool initializeCOM();

// Gives destination the type `type` (with a null pointer field for VT_BSTR and array types) after
// checking that source has that type; throws TarvoException::CMyException ("Invalid Type.") otherwise.
// Whatever destination held is released first. Returns 0x00040014 when destination held something,
// S_OK when it was empty, E_POINTER for a null argument.
HRESULT prepareVariant(VARIANT* source, VARIANT* destination, VARTYPE type);

} // namespace ondivar
