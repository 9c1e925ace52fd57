// The descriptions of failures that a caller's text (a label, a property name, a flow basis) brought
// about; the CAPE-OPEN HRESULTs the component reports them with come from the list of error classes.
#pragma once

#include "support/CapeErrorClasses.h"

#include <string>
#include <string_view>

namespace ondivar {

// The one flow basis the component computes under: the superficial velocity of each phase.
constexpr const wchar_t* kSupportedFlowBasis = L"Us";

// The description of a refused flow basis: the component computes under kSupportedFlowBasis only.
std::wstring unsupportedFlowBasisMessage(std::wstring_view flowBasis);

// "text" in double quotes, for descriptions that name what the caller gave.
std::wstring quoted(std::wstring_view text);

} // namespace ondivar
