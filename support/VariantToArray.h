// VARIANTs holding a SAFEARRAY to the program's arrays. Accepted: a safe array typed with the
// destination's element kind (VT_R8, VT_I4, VT_BSTR, VT_BOOL, VT_DISPATCH), a safe array of VARIANTs
// whose every element has exactly that type, and VT_EMPTY (an empty array). Nothing is coerced: any other
// VARIANT, any element of another type and an array of the wrong number of dimensions throw
// TarvoException::CMyException, and the destination is then empty.
//
// One dimension: elements from the lower to the upper bound, whatever the lower bound. Two dimensions:
// the safe array must be indexed from 0 in both dimensions; dimension 1 gives the rows, dimension 2
// the columns.
#pragma once

#include "support/Arrays.h"
#include "support/ComHandles.h"
#include "support/SafeArrayElements.h"

#include <windows.h>
#include <oleauto.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondivar {

void variantToArray(const VARIANT* source, CArray1D<double>& destination);
void variantToArray(const VARIANT* source, CArray1D<long>& destination);
void variantToArray(const VARIANT* source, CArray1D<std::wstring>& destination);
void variantToArray(const VARIANT* source, CArray1D<bool>& destination);
void variantToArray(const VARIANT* source, CArray1D<ComPtr<IDispatch>>& destination);

void variantToArray(const VARIANT* source, CArray2D<double>& destination);
void variantToArray(const VARIANT* source, CArray2D<long>& destination);
void variantToArray(const VARIANT* source, CArray2D<std::wstring>& destination);
void variantToArray(const VARIANT* source, CArray2D<bool>& destination);
void variantToArray(const VARIANT* source, CArray2D<ComPtr<IDispatch>>& destination);

// The texts of a VARIANT that variantToArray accepts for an array of wide strings, read in place: each
// a view of the caller's BSTR up to its first null (a null BSTR gives an empty text); nothing is copied.
// Refuses what variantToArray refuses, with the same errors, when it is made. Valid while source is
// neither changed nor freed.
class CTextsView {
public:
    explicit CTextsView(const VARIANT* source);
    CTextsView(const CTextsView&) = delete;
    CTextsView& operator=(const CTextsView&) = delete;
    std::size_t size() const noexcept { return m_size; }
    // i below size().
    std::wstring_view operator[](std::size_t i) const noexcept { return m_texts[i]; }

private:
    // The views, found once: a few in place, more in m_more.
    static constexpr std::size_t kFewTexts = 8;
    std::optional<SafeArrayReader> m_elements;
    std::wstring_view m_few[kFewTexts];
    std::vector<std::wstring_view> m_more;
    const std::wstring_view* m_texts = m_few;
    std::size_t m_size = 0;
};

} // namespace ondivar
