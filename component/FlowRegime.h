// The flow regime and qualifier the component reports for a flow pattern of the model.
#pragma once

#include "hydro/FlowPatterns.h"

namespace ondivar {

// Either text may be null (no value); both are null for a value that is no known pattern (the model's
// undefined marker included).
struct FlowRegimeNames {
    const wchar_t* regime;
    const wchar_t* qualifier;
};

FlowRegimeNames flowRegimeOf(EHydroFlowPatterns pattern);

} // namespace ondivar
