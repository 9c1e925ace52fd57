#include "component/OwnFailure.h"

#include "support/ComHandles.h"

using TarvoException::CMyException;

namespace ondivar {

HRESULT recordDescribedFailure(CCapeError& errors, const wchar_t* interfaceName, const wchar_t* operation,
                               HRESULT capeHr, const std::wstring& description)
{
    errors.recordOwnFailure(capeHr, interfaceName, operation);
    // The error interfaces now describe this failure without a text: read it once more and give it one.
    CMyException described(capeHr, ComPtr<IDispatch>(static_cast<ECapeUser*>(&errors)));
    described.setDescription(description);
    return errors.recordError(described, interfaceName, operation);
}

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
