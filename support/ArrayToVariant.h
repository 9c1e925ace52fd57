// The program's arrays to VARIANTs holding a SAFEARRAY (lower bound 0 in every dimension). With
// asVariants false the safe array is typed (VT_I4, VT_R8, VT_BSTR or VT_DISPATCH); with asVariants true
// it is an array of VARIANTs of that type. An empty array (no rows or no columns for two dimensions)
// gives VT_EMPTY. Whatever the destination held is released first; after a failure (a thrown
// TarvoException::CMyException) it is VT_EMPTY.
#pragma once

#include "support/Arrays.h"
#include "support/ComHandles.h"

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace ondivar {

void arrayToVariant(const CArray1D<long>& source, VARIANT* destination, bool asVariants);
void arrayToVariant(const CArray1D<double>& source, VARIANT* destination, bool asVariants);
void arrayToVariant(const CArray1D<std::string>& source, VARIANT* destination, bool asVariants);
void arrayToVariant(const CArray1D<std::wstring>& source, VARIANT* destination, bool asVariants);
void arrayToVariant(const CArray1D<ComPtr<IDispatch>>& source, VARIANT* destination, bool asVariants);
// count numbers from source (which may be null only when count is 0).
void arrayToVariant(const double* source, std::size_t count, VARIANT* destination, bool asVariants);
// count null-terminated wide texts; a null text becomes an empty string.
void arrayToVariant(const wchar_t* const* source, std::size_t count, VARIANT* destination, bool asVariants);

void arrayToVariant(const CArray2D<long>& source, VARIANT* destination, bool asVariants);
void arrayToVariant(const CArray2D<double>& source, VARIANT* destination, bool asVariants);
void arrayToVariant(const CArray2D<std::string>& source, VARIANT* destination, bool asVariants);
void arrayToVariant(const CArray2D<std::wstring>& source, VARIANT* destination, bool asVariants);
void arrayToVariant(const CArray2D<ComPtr<IDispatch>>& source, VARIANT* destination, bool asVariants);

} // namespace ondivar
