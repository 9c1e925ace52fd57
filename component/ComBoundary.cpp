#include "component/ComBoundary.h"

#include <exception>
#include <new>
#include <string>

using TarvoException::CMyException;

namespace ondivar {
namespace {

// CAPE-OPEN HRESULT of an out-of-memory failure (ECapeNoMemory): what is returned when even the
// error could not be recorded.
constexpr HRESULT kCapeNoMemory = static_cast<HRESULT>(0x8004050DL);

std::wstring widen(const char* text)
{
    std::wstring result;
    for (; text != nullptr && *text != '\0'; ++text)
        result += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return result;
}

} // namespace

HRESULT ComCall::fail(HRESULT capeHr) const
{
    return m_errors.recordOwnFailure(capeHr, m_interfaceName, m_operation);
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
            const std::wstring what = widen(unexpected.what());
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
