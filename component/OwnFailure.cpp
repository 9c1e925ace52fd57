#include "component/OwnFailure.h"

namespace ondivar {

std::wstring unsupportedFlowBasisMessage(std::wstring_view flowBasis)
{
    return L"The flow basis " + quoted(flowBasis) +
           L" is not supported: the flow is computed from the superficial velocity of each phase, basis " +
           quoted(kSupportedFlowBasis) + L".\n";
}

std::wstring quoted(std::wstring_view text)
{
    std::wstring result;
    result.reserve(text.size() + 2);
    result += L'"';
    result += text;
    result += L'"';
    return result;
}

} // namespace ondivar
