// The readable report of one calculation: the inputs, the regime, the pressure gradients and the
// per-phase results, with units.
#pragma once

#include "tools/flow-client/FlowCase.h"

#include <ostream>
#include <vector>

namespace ondivar::flow {

void writeResultTable(std::ostream& out, const std::vector<PhaseDeclaration>& phases,
                      const FlowInputs& inputs, const FlowResult& result);

} // namespace ondivar::flow
