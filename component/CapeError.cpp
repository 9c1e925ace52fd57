#include "component/CapeError.h"

#include "support/ComInitialisation.h"

#include <new>
#include <utility>

using TarvoException::CMyException;

namespace ondivar {

CCapeError::CCapeError() : m_comInitialised(initializeCOM()) {}

CCapeError::~CCapeError()
{
    // The record may hold an interface pointer (a bad parameter's): it goes while COM is still up.
    m_lastError.reset();
    if (m_comInitialised)
        CoUninitialize();
}

HRESULT CCapeError::recordError(const CMyException& error, const std::wstring& interfaceName,
                                std::wstring operation)
{
    // The copy is made before the old record goes, so that an allocation failure leaves it in place.
    auto copy = std::make_unique<CMyException>(error);
    copy->setOperation(operation);
    copy->setInterfaceName(interfaceName);
    m_lastError = std::move(copy);
    long result = 0;
    m_lastError->getHResult(result);
    return result;
}

HRESULT CCapeError::recordOwnFailure(HRESULT capeHr, const std::wstring& interfaceName,
                                     std::wstring operation, std::optional<std::wstring> description,
                                     const CapeBoundaries* boundaries)
{
    // What the error interfaces show while the new error reads them: code capeHr, no texts, no
    // position (its class has none), no boundaries.
    auto bare = std::make_unique<CMyException>(capeHr, std::wstring(), L"");
    bare->setDescription(std::wstring());
    std::unique_ptr<CMyException> previous = std::exchange(m_lastError, std::move(bare));
    try {
        CMyException error(capeHr, ComPtr<IDispatch>(static_cast<ECapeUser*>(this)));
        if (description)
            error.setDescription(std::move(*description));
        if (boundaries != nullptr)
            error.setBoundaries(boundaries->lower, boundaries->upper, boundaries->value, boundaries->type);
        return recordError(error, interfaceName, std::move(operation));
    } catch (...) {
        m_lastError = std::move(previous);
        throw;
    }
}

template <class Read> HRESULT CCapeError::answerText(BSTR* out, Read read) const noexcept
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    try {
        std::wstring text;
        if (m_lastError)
            read(*m_lastError, text);
        *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT STDMETHODCALLTYPE CCapeError::get_code(long* code)
{
    if (code == nullptr)
        return E_POINTER;
    if (m_lastError)
        m_lastError->getCode(*code);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCapeError::get_description(BSTR* description)
{
    return answerText(description, [](const CMyException& e, std::wstring& s) { e.getDescription(s); });
}

HRESULT STDMETHODCALLTYPE CCapeError::get_scope(BSTR* scope)
{
    return answerText(scope, [](const CMyException& e, std::wstring& s) { e.getScope(s); });
}

HRESULT STDMETHODCALLTYPE CCapeError::get_interfaceName(BSTR* interfaceName)
{
    return answerText(interfaceName, [](const CMyException& e, std::wstring& s) { e.getInterfaceName(s); });
}

HRESULT STDMETHODCALLTYPE CCapeError::get_operation(BSTR* operation)
{
    return answerText(operation, [](const CMyException& e, std::wstring& s) { e.getOperation(s); });
}

HRESULT STDMETHODCALLTYPE CCapeError::get_moreInfo(BSTR* moreInfo)
{
    return answerText(moreInfo, [](const CMyException& e, std::wstring& s) { e.getMoreInfo(s); });
}

HRESULT STDMETHODCALLTYPE CCapeError::get_name(BSTR* name)
{
    return answerText(name, [](const CMyException& e, std::wstring& s) { e.getName(s); });
}

HRESULT STDMETHODCALLTYPE CCapeError::get_position(short* position)
{
    if (position == nullptr)
        return E_POINTER;
    if (m_lastError)
        m_lastError->getPosition(*position);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCapeError::get_parameterName(BSTR* parameterName)
{
    return answerText(parameterName, [](const CMyException& e, std::wstring& s) { e.getParameterName(s); });
}

HRESULT STDMETHODCALLTYPE CCapeError::get_parameter(IDispatch** parameter)
{
    if (parameter == nullptr)
        return E_POINTER;
    if (m_lastError)
        m_lastError->getParameter(*parameter);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCapeError::get_requestedOperation(BSTR* requestedOperation)
{
    return answerText(requestedOperation,
                      [](const CMyException& e, std::wstring& s) { e.getRequestedOperation(s); });
}

HRESULT STDMETHODCALLTYPE CCapeError::get_LowerBound(double* lowerBound)
{
    if (lowerBound == nullptr)
        return E_POINTER;
    if (m_lastError)
        m_lastError->getLowerBound(*lowerBound);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCapeError::get_UpperBound(double* upperBound)
{
    if (upperBound == nullptr)
        return E_POINTER;
    if (m_lastError)
        m_lastError->getUpperBound(*upperBound);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCapeError::get_value(double* value)
{
    if (value == nullptr)
        return E_POINTER;
    if (m_lastError)
        m_lastError->getValue(*value);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CCapeError::get_Type(BSTR* type)
{
    return answerText(type, [](const CMyException& e, std::wstring& s) { e.getType(s); });
}

HRESULT STDMETHODCALLTYPE SupportErrorInfoImpl::InterfaceSupportsErrorInfo(REFIID riid)
{
    return IsEqualIID(riid, IID_IDispatch) ? S_OK : S_FALSE;
}

} // namespace ondivar
