// The calculation the client drives, seen without COM: the batch run and the single run talk to this
// interface; FlowComponent implements it with the COM component, tests with a fake.
#pragma once

#include "tools/flow-client/FlowCase.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ondivar::flow {

// A call the component refused or that failed, with what the component said about it.
class CalculationFailure : public std::runtime_error {
public:
    struct Details {
        std::string call;          // the call the client made, e.g. "ICapeHydroFlowRoutine::CalcFlow"
        std::string interfaceName; // from ECapeUser; empty when the component gave no CAPE-OPEN error
        std::string operation;     // from ECapeUser
        std::string description;   // from ECapeUser, or the system's text of the HRESULT
        std::uint32_t hresult = 0;
        std::string errorName; // the CAPE-OPEN error interface hresult stands for, e.g. "ECapeOutOfBounds"
        struct Boundaries {
            double lower, upper, value;
        };
        std::optional<Boundaries> boundaries; // from ECapeBoundaries, for the bounded error classes
    };

    explicit CalculationFailure(Details details);

    // Several lines: the call, then the CAPE-OPEN error name, the ECapeUser interface, operation,
    // description, the boundaries when there are any, and the HRESULT.
    std::string report() const;
    // One line for a results file: the error name and description.
    std::string reason() const;

private:
    Details m_details;
};

class FlowCalculator {
public:
    virtual ~FlowCalculator() = default;
    // Declares the phases for every following calculation.
    virtual void declarePhases(const std::vector<PhaseDeclaration>& phases) = 0;
    // One calculation; throws CalculationFailure.
    virtual FlowResult calculate(const FlowInputs& inputs) = 0;
};

} // namespace ondivar::flow
