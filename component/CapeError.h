// CCapeError: the part of the component that carries the CAPE-OPEN error interfaces. It keeps the last
// recorded failure and answers every error getter from it; it also initialises COM on the creating
// thread and balances that when the component goes.
#pragma once

#include "com/CallErrorRecorder.h"
#include "com/DispatchImpl.h"
#include "support/TarvoException.h"

#include "CapeOpen110.h"

#include <memory>
#include <optional>
#include <string>

namespace ondivar {

template <class Interface> using CapeOpenDispatch = DispatchImpl<Interface, TypeLibraryId::CapeOpen>;

// IUnknown is left to the component that derives from this class.
class CCapeError : public CallErrorRecorder,
                   public CapeOpenDispatch<ECapeUser>,
                   public CapeOpenDispatch<ECapeData>,
                   public CapeOpenDispatch<ECapeRoot>,
                   public CapeOpenDispatch<ECapeUnknown>,
                   public CapeOpenDispatch<ECapeInvalidArgument>,
                   public CapeOpenDispatch<ECapeOutOfBounds>,
                   public CapeOpenDispatch<ECapeBadArgument>,
                   public CapeOpenDispatch<ECapeComputation>,
                   public CapeOpenDispatch<ECapeBadCOParameter>,
                   public CapeOpenDispatch<ECapeBadInvOrder>,
                   public CapeOpenDispatch<ECapeBoundaries>,
                   public CapeOpenDispatch<ECapeFailedInitialisation> {
public:
    CCapeError(const CCapeError&) = delete;
    CCapeError& operator=(const CCapeError&) = delete;

    // Keeps a copy of error (sharing its record, so the caller's handle sees the names too) in place
    // of the previous one, names the failing interface and operation, and returns the HRESULT the
    // failing operation hands to its caller. Only allocation failure propagates.
    HRESULT recordError(const TarvoException::CMyException& error, const std::wstring& interfaceName,
                        std::wstring operation) override;

    // Records a failure this object detected itself: the error is built from capeHr by reading this
    // object's own error interfaces, which meanwhile describe a bare failure of code capeHr, so that
    // nothing of an earlier failure passes into it. A given description replaces the one read; given
    // boundaries are set on an error of a bounded class (such as CCapeOutOfBounds). On allocation
    // failure the previous record stays.
    HRESULT recordOwnFailure(HRESULT capeHr, const std::wstring& interfaceName, std::wstring operation,
                             std::optional<std::wstring> description = std::nullopt,
                             const CapeBoundaries* boundaries = nullptr) override;

    // ECapeUser
    HRESULT STDMETHODCALLTYPE get_code(long* code) override;
    HRESULT STDMETHODCALLTYPE get_description(BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_scope(BSTR* scope) override;
    HRESULT STDMETHODCALLTYPE get_interfaceName(BSTR* interfaceName) override;
    HRESULT STDMETHODCALLTYPE get_operation(BSTR* operation) override;
    HRESULT STDMETHODCALLTYPE get_moreInfo(BSTR* moreInfo) override;
    // ECapeRoot
    HRESULT STDMETHODCALLTYPE get_name(BSTR* name) override;
    // ECapeBadArgument
    HRESULT STDMETHODCALLTYPE get_position(short* position) override;
    // ECapeBadCOParameter
    HRESULT STDMETHODCALLTYPE get_parameterName(BSTR* parameterName) override;
    HRESULT STDMETHODCALLTYPE get_parameter(IDispatch** parameter) override;
    // ECapeBadInvOrder
    HRESULT STDMETHODCALLTYPE get_requestedOperation(BSTR* requestedOperation) override;
    // ECapeBoundaries
    HRESULT STDMETHODCALLTYPE get_LowerBound(double* lowerBound) override;
    HRESULT STDMETHODCALLTYPE get_UpperBound(double* upperBound) override;
    HRESULT STDMETHODCALLTYPE get_value(double* value) override;
    HRESULT STDMETHODCALLTYPE get_Type(BSTR* type) override;

protected:
    // Initialises COM on the calling thread as the suite's setting says; throws CMyException when
    // that fails.
    CCapeError();
    ~CCapeError();

private:
    // Answers a text property: an allocated BSTR, empty when there is no record or the record's class
    // lacks the property.
    template <class Read> HRESULT answerText(BSTR* out, Read read) const noexcept;

    std::unique_ptr<TarvoException::CMyException> m_lastError;
    bool m_comInitialised = false;
};

// ISupportErrorInfo as the component answers it: yes for IDispatch only. The component does not use
// COM's error-information objects; a client reads the CAPE-OPEN error interfaces instead.
class SupportErrorInfoImpl : public ISupportErrorInfo {
public:
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;
};

} // namespace ondivar
