#include "support/TarvoException.h"

#include "support/CapeErrors.h"
#include "support/ComHandles.h"
#include "support/ErrorInterpretation.h"
#include "support/WideFormat.h"

#include <cstdarg>
#include <memory>

namespace TarvoException {

// Shared by every copy of a handle; the count is plain arithmetic (one apartment thread).
struct CMyException::Record {
    std::unique_ptr<CCapeUser> error;
    unsigned long count = 1;
    HRESULT result = 0;
};

namespace {

// appendDescription keeps at most this many characters of formatted text.
const std::size_t appendLimit = 1023;

// The error object as class T, or null when there is none or it is of another class.
template <class T> T* errorAs(const std::unique_ptr<CCapeUser>& error)
{
    return dynamic_cast<T*>(error.get());
}

} // namespace

CMyException::CMyException() : m_record(new Record) {}

CMyException::CMyException(HRESULT hr, const std::wstring& name, const wchar_t* format, ...)
{
    auto record = std::make_unique<Record>();
    record->result = interpretHResult(hr, record->error);
    record->error->m_name = name;
    va_list args;
    va_start(args, format);
    try {
        record->error->m_description += ondivar::formatWide(format, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    m_record = record.release();
}

CMyException::CMyException(HRESULT hr, const ondivar::ComPtr<IDispatch>& source)
{
    auto record = std::make_unique<Record>();
    record->error = createCapeError(hr, source.get());
    record->result = hr;
    m_record = record.release();
}

CMyException::CMyException(const CMyException& other) : m_record(other.m_record)
{
    ++m_record->count;
}

CMyException::~CMyException()
{
    if (--m_record->count == 0)
        delete m_record;
}

const CCapeUser* CMyException::errorObject() const
{
    return m_record->error.get();
}

HRESULT CMyException::getHResult(long& result) const
{
    result = m_record->result;
    return S_OK;
}

namespace {

// Getter and setter of a text field of class T; a failing getter empties its output.
template <class T>
HRESULT getText(const std::unique_ptr<CCapeUser>& error, std::wstring T::*field, std::wstring& out)
{
    T* object = errorAs<T>(error);
    if (object == nullptr) {
        out.clear();
        return E_FAIL;
    }
    out = object->*field;
    return S_OK;
}

template <class T>
HRESULT setText(const std::unique_ptr<CCapeUser>& error, std::wstring T::*field, const std::wstring& in)
{
    T* object = errorAs<T>(error);
    if (object == nullptr)
        return E_FAIL;
    object->*field = in;
    return S_OK;
}

// Getter of a number field of class T; a failing getter leaves its output alone.
template <class T, class Value, class Out>
HRESULT getNumber(const std::unique_ptr<CCapeUser>& error, Value T::*field, Out& out)
{
    T* object = errorAs<T>(error);
    if (object == nullptr)
        return E_FAIL;
    out = object->*field;
    return S_OK;
}

} // namespace

HRESULT CMyException::getName(std::wstring& name) const
{
    return getText(m_record->error, &CCapeUser::m_name, name);
}

HRESULT CMyException::setName(const std::wstring& name)
{
    return setText(m_record->error, &CCapeUser::m_name, name);
}

HRESULT CMyException::getCode(long& code) const
{
    return getNumber(m_record->error, &CCapeUser::m_code, code);
}

HRESULT CMyException::getDescription(std::wstring& description) const
{
    return getText(m_record->error, &CCapeUser::m_description, description);
}

HRESULT CMyException::setDescription(const std::wstring& description)
{
    return setText(m_record->error, &CCapeUser::m_description, description);
}

HRESULT CMyException::appendDescription(const wchar_t* format, ...)
{
    if (!m_record->error)
        return E_FAIL;
    va_list args;
    va_start(args, format);
    std::wstring text;
    try {
        text = ondivar::formatWideLimited(appendLimit, format, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    m_record->error->m_description += text;
    return S_OK;
}

HRESULT CMyException::getScope(std::wstring& scope) const
{
    return getText(m_record->error, &CCapeUser::m_scope, scope);
}

HRESULT CMyException::setScope(const std::wstring& scope)
{
    return setText(m_record->error, &CCapeUser::m_scope, scope);
}

HRESULT CMyException::getInterfaceName(std::wstring& interfaceName) const
{
    return getText(m_record->error, &CCapeUser::m_interfaceName, interfaceName);
}

HRESULT CMyException::setInterfaceName(const std::wstring& interfaceName)
{
    return setText(m_record->error, &CCapeUser::m_interfaceName, interfaceName);
}

HRESULT CMyException::getOperation(std::wstring& operation) const
{
    return getText(m_record->error, &CCapeUser::m_operation, operation);
}

HRESULT CMyException::setOperation(const std::wstring& operation)
{
    return setText(m_record->error, &CCapeUser::m_operation, operation);
}

HRESULT CMyException::getMoreInfo(std::wstring& moreInfo) const
{
    return getText(m_record->error, &CCapeUser::m_moreInfo, moreInfo);
}

HRESULT CMyException::setMoreInfo(const std::wstring& moreInfo)
{
    return setText(m_record->error, &CCapeUser::m_moreInfo, moreInfo);
}

HRESULT CMyException::getParameterName(std::wstring& parameterName) const
{
    return getText(m_record->error, &CCapeBadCOParameter::m_parameterName, parameterName);
}

HRESULT CMyException::setParameterName(const std::wstring& parameterName)
{
    return setText(m_record->error, &CCapeBadCOParameter::m_parameterName, parameterName);
}

HRESULT CMyException::getParameter(IDispatch*& parameter) const
{
    parameter = nullptr;
    auto* object = errorAs<CCapeBadCOParameter>(m_record->error);
    if (object == nullptr)
        return E_FAIL;
    return object->m_parameter.copyTo(&parameter);
}

HRESULT CMyException::setParameter(IDispatch* parameter)
{
    auto* object = errorAs<CCapeBadCOParameter>(m_record->error);
    if (object == nullptr)
        return E_FAIL;
    object->m_parameter = ondivar::ComPtr<IDispatch>(parameter);
    return S_OK;
}

HRESULT CMyException::getPosition(short& position) const
{
    auto* object = errorAs<CCapeBadArgument>(m_record->error);
    if (object == nullptr) {
        position = -1;
        return E_FAIL;
    }
    position = object->m_position;
    return S_OK;
}

HRESULT CMyException::setPosition(short position)
{
    auto* object = errorAs<CCapeBadArgument>(m_record->error);
    if (object == nullptr)
        return E_FAIL;
    object->m_position = position;
    return S_OK;
}

HRESULT CMyException::getLowerBound(double& lowerBound) const
{
    return getNumber(m_record->error, &CCapeBoundaries::m_lowerBound, lowerBound);
}

HRESULT CMyException::getUpperBound(double& upperBound) const
{
    return getNumber(m_record->error, &CCapeBoundaries::m_upperBound, upperBound);
}

HRESULT CMyException::getValue(double& value) const
{
    return getNumber(m_record->error, &CCapeBoundaries::m_value, value);
}

HRESULT CMyException::getType(std::wstring& type) const
{
    return getText(m_record->error, &CCapeBoundaries::m_type, type);
}

HRESULT CMyException::setBoundaries(const double& lower, const double& upper, const double& value,
                                    const std::wstring& type)
{
    auto* object = errorAs<CCapeBoundaries>(m_record->error);
    if (object == nullptr)
        return E_FAIL;
    object->m_lowerBound = lower;
    object->m_upperBound = upper;
    object->m_value = value;
    object->m_type = type;
    return S_OK;
}

HRESULT CMyException::getRequestedOperation(std::wstring& requestedOperation) const
{
    return getText(m_record->error, &CCapeBadInvOrder::m_requestedOperation, requestedOperation);
}

HRESULT CMyException::setRequestedOperation(const std::wstring& requestedOperation)
{
    return setText(m_record->error, &CCapeBadInvOrder::m_requestedOperation, requestedOperation);
}

HRESULT CMyException::getItemName(std::wstring& itemName) const
{
    return getText(m_record->error, &CCapePersistenceNotFound::m_itemName, itemName);
}

HRESULT CMyException::setItemName(const std::wstring& itemName)
{
    return setText(m_record->error, &CCapePersistenceNotFound::m_itemName, itemName);
}

void raiseCondition(HRESULT hr, const wchar_t* name, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring message;
    try {
        message = ondivar::formatWide(format, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
    // The message is already formatted: it goes in verbatim.
    throw CMyException(hr, name != nullptr ? name : L"", L"%s", message.c_str());
}

} // namespace TarvoException
