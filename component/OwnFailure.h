// The CAPE-OPEN HRESULTs the component reports about itself, and the failure frame with a description of
// the cause for failures that a caller's text (a label, a property name) or a missing value brought
// about.
#pragma once

#include "component/CapeError.h"

#include <string>
#include <string_view>

namespace ondivar {

constexpr HRESULT kCapeUnknown = static_cast<HRESULT>(0x80040501L);
constexpr HRESULT kCapeInvalidArgument = static_cast<HRESULT>(0x80040506L);
constexpr HRESULT kCapeNoImpl = static_cast<HRESULT>(0x80040509L);
constexpr HRESULT kCapeBadInvOrder = static_cast<HRESULT>(0x80040511L);

// Records the failure capeHr of interfaceName::operation as the failure frame does (the error read from
// the component's own error interfaces), with description as its description, and returns the HRESULT
// to hand to the caller. The description is used as it is: it is never a format.
HRESULT recordDescribedFailure(CCapeError& errors, const wchar_t* interfaceName, const wchar_t* operation,
                               HRESULT capeHr, const std::wstring& description);

// The one flow basis the component computes under: the superficial velocity of each phase.
constexpr const wchar_t* kSupportedFlowBasis = L"Us";

// The description of a refused flow basis: the component computes under kSupportedFlowBasis only.
std::wstring unsupportedFlowBasisMessage(std::wstring_view flowBasis);

// "text" in double quotes, for descriptions that name what the caller gave.
std::wstring quoted(std::wstring_view text);

} // namespace ondivar
