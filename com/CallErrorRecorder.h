// Where the call boundary records the failure of an operation: the object's error part, which the
// caller then reads through the CAPE-OPEN error interfaces.
#pragma once

#include "support/TarvoException.h"

#include <optional>
#include <string>

namespace ondivar {

// The ECapeBoundaries data of a refused value: the range [lower, upper] of accepted values (both
// accepted), the value given, and what the value is (type).
struct CapeBoundaries {
    double lower;
    double upper;
    double value;
    std::wstring type;
};

class CallErrorRecorder {
public:
    // Keeps error as the last failure, naming the failing interface and operation, and returns the
    // HRESULT the failing operation hands to its caller. Only allocation failure propagates.
    virtual HRESULT recordError(const TarvoException::CMyException& error, const std::wstring& interfaceName,
                                std::wstring operation) = 0;
    // Records a failure of CAPE-OPEN HRESULT capeHr that the object detected itself; a given description
    // replaces the standard one; given boundaries are set on an error of a bounded class (such as
    // CCapeOutOfBounds). On allocation failure the previous record stays.
    virtual HRESULT recordOwnFailure(HRESULT capeHr, const std::wstring& interfaceName,
                                     std::wstring operation,
                                     std::optional<std::wstring> description = std::nullopt,
                                     const CapeBoundaries* boundaries = nullptr) = 0;

protected:
    CallErrorRecorder() = default;
    CallErrorRecorder(const CallErrorRecorder&) = default;
    CallErrorRecorder& operator=(const CallErrorRecorder&) = default;
    ~CallErrorRecorder() = default;
};

} // namespace ondivar
