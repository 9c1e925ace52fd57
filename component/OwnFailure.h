// The CAPE-OPEN HRESULTs the component reports about itself, and the descriptions of failures that a
// caller's text (a label, a property name, a flow basis) brought about.
#pragma once

#include "component/CapeError.h"

#include <string>
#include <string_view>

namespace ondivar {

constexpr HRESULT kCapeUnknown = static_cast<HRESULT>(0x80040501L);
constexpr HRESULT kCapeInvalidArgument = static_cast<HRESULT>(0x80040506L);
constexpr HRESULT kCapeOutOfBounds = static_cast<HRESULT>(0x80040507L);
constexpr HRESULT kCapeNoImpl = static_cast<HRESULT>(0x80040509L);
// What is returned when even the error could not be recorded (ECapeNoMemory).
constexpr HRESULT kCapeNoMemory = static_cast<HRESULT>(0x8004050DL);
constexpr HRESULT kCapeBadInvOrder = static_cast<HRESULT>(0x80040511L);

// The one flow basis the component computes under: the superficial velocity of each phase.
constexpr const wchar_t* kSupportedFlowBasis = L"Us";

// The description of a refused flow basis: the component computes under kSupportedFlowBasis only.
std::wstring unsupportedFlowBasisMessage(std::wstring_view flowBasis);

// The description of a null out argument: there is nowhere to put the answer.
std::wstring nullOutArgumentMessage(std::wstring_view argument);

// "text" in double quotes, for descriptions that name what the caller gave.
std::wstring quoted(std::wstring_view text);

} // namespace ondivar
