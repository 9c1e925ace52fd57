// The one exception type of the system. It needs no Windows header, so that the model can raise it.
#pragma once

#include <string>

#ifndef _HRESULT_DEFINED
#define _HRESULT_DEFINED
typedef long HRESULT;
#endif

struct IDispatch;

namespace ondivar {
template <class T> class ComPtr;
}

namespace TarvoException {

class CCapeUser;

// A handle on a shared error record: copies share the record (and see each other's changes); the
// error object dies with the last copy. Thrown by value, caught by reference.
class CMyException {
public:
    CMyException();
    // Interprets hr (standard text, CAPE-OPEN class and returned HRESULT), names the error and appends
    // the printf-style formatted message (Windows wide-printf meaning: %s takes a wide string).
    CMyException(HRESULT hr, const std::wstring& name, const wchar_t* format, ...);
    // Builds the error object of CAPE-OPEN HRESULT hr by reading the CAPE-OPEN error interfaces of source.
    CMyException(HRESULT hr, const ondivar::ComPtr<IDispatch>& source);
    CMyException(const CMyException& other);
    CMyException& operator=(const CMyException&) = delete;
    virtual ~CMyException();

    HRESULT getHResult(long& result) const;

    HRESULT getName(std::wstring& name) const;
    HRESULT setName(const std::wstring& name);
    HRESULT getCode(long& code) const;
    HRESULT getDescription(std::wstring& description) const;
    HRESULT setDescription(const std::wstring& description);
    HRESULT appendDescription(const wchar_t* format, ...);
    HRESULT getScope(std::wstring& scope) const;
    HRESULT setScope(const std::wstring& scope);
    HRESULT getInterfaceName(std::wstring& interfaceName) const;
    HRESULT setInterfaceName(const std::wstring& interfaceName);
    HRESULT getOperation(std::wstring& operation) const;
    HRESULT setOperation(const std::wstring& operation);
    HRESULT getMoreInfo(std::wstring& moreInfo) const;
    HRESULT setMoreInfo(const std::wstring& moreInfo);

    HRESULT getParameterName(std::wstring& parameterName) const;
    HRESULT setParameterName(const std::wstring& parameterName);
    HRESULT getParameter(IDispatch*& parameter) const;
    HRESULT setParameter(IDispatch* parameter);
    HRESULT getPosition(short& position) const;
    HRESULT setPosition(short position);
    HRESULT getLowerBound(double& lowerBound) const;
    HRESULT getUpperBound(double& upperBound) const;
    HRESULT getValue(double& value) const;
    HRESULT getType(std::wstring& type) const;
    HRESULT setBoundaries(const double& lower, const double& upper, const double& value,
                          const std::wstring& type);
    HRESULT getRequestedOperation(std::wstring& requestedOperation) const;
    HRESULT setRequestedOperation(const std::wstring& requestedOperation);
    HRESULT getItemName(std::wstring& itemName) const;
    HRESULT setItemName(const std::wstring& itemName);

    // The error object, for code that needs its dynamic class (null for a default handle).
    const CCapeUser* errorObject() const;

private:
    struct Record;
    Record* m_record;
};

// Throws CMyException(hr, name, message), the message formatted from format and the arguments.
[[noreturn]] void raiseCondition(HRESULT hr, const wchar_t* name, const wchar_t* format, ...);

// Throws as raiseCondition when ok is false; the message is formatted only then. Does nothing when ok is
// true: checks on every element and every call cost a test and a branch.
template <class... Arguments>
inline void checkCondition(bool ok, HRESULT hr, const wchar_t* name, const wchar_t* format,
                           Arguments... arguments)
{
    if (__builtin_expect(!ok, 0))
        raiseCondition(hr, name, format, arguments...);
}

} // namespace TarvoException
