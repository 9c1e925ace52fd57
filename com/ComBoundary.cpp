#include "com/ComBoundary.h"

#include "support/CapeErrorClasses.h"
#include "support/StringConversion.h"

#include <exception>
#include <new>
#include <string>

using TarvoException::CMyException;

namespace ondivar {

HRESULT ComCall::fail(HRESULT capeHr) const
{
    return m_errors.recordOwnFailure(capeHr, m_interfaceName, m_operation);
}

HRESULT ComCall::fail(HRESULT capeHr, std::wstring description) const
{
    return m_errors.recordOwnFailure(capeHr, m_interfaceName, m_operation, std::move(description));
}

HRESULT ComCall::fail(HRESULT capeHr, std::wstring description, const CapeBoundaries& boundaries) const
{
    return m_errors.recordOwnFailure(capeHr, m_interfaceName, m_operation, std::move(description),
                                     &boundaries);
}

HRESULT ComCall::nullOutArgument(const wchar_t* argument) const
{
    fail(kCapeInvalidArgument, std::wstring(L"The out argument \"") + argument +
                                   L"\" is a null pointer: there is nowhere to put the answer.\n");
    return E_POINTER;
}

HRESULT ComCall::recordCurrentException() const noexcept
{
    try {
        try {
            throw;
        } catch (const CMyException& error) {
            return m_errors.recordError(error, m_interfaceName, m_operation);
        } catch (const std::bad_alloc&) {
            const CMyException error(E_OUTOFMEMORY, L"Memory error", L"Out of memory in %ls::%ls.\n",
                                     m_interfaceName, m_operation);
            return m_errors.recordError(error, m_interfaceName, m_operation);
        } catch (const std::exception& unexpected) {
            std::wstring what;
            ansiToWide(unexpected.what(), what);
            const CMyException error(E_UNEXPECTED, L"Unexpected error", L"%ls::%ls failed: %ls\n",
                                     m_interfaceName, m_operation, what.c_str());
            return m_errors.recordError(error, m_interfaceName, m_operation);
        } catch (...) {
            const CMyException error(E_UNEXPECTED, L"Unexpected error", L"%ls::%ls failed.\n",
                                     m_interfaceName, m_operation);
            return m_errors.recordError(error, m_interfaceName, m_operation);
        }
    } catch (...) {
        return kCapeNoMemory;
    }
}

} // namespace ondivar
