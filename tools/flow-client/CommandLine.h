// The client's command line: what to run (one calculation, a profile, or the help) and with what.
#pragma once

#include "tools/flow-client/CaseSettings.h"

#include <string>
#include <vector>

namespace ondivar::flow {

enum class RunMode { Single, Batch, Traverse, Help };

struct ClientOptions {
    RunMode mode = RunMode::Single;
    // Leave the component's farewell message box to the user instead of acknowledging it.
    bool interactive = false;
    // The flow basis handed to CalcFlow.
    std::string flowSpec = "Us";
    CaseSettings settings;
    // Batch run or traverse: the profile, the results file (empty: standard output) and the plot (empty:
    // none), drawn against the distance or, with plotBySegment, the segment number.
    std::string profilePath;
    std::string resultsPath;
    std::string svgPath;
    bool plotBySegment = false;
};

// Reads the arguments (without the program name). Throws UsageError.
ClientOptions parseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
std::string helpText();

} // namespace ondivar::flow
