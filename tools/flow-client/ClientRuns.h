// The client's two runs: one calculation printed as a table, and a batch run over a profile. Each
// returns the process exit status.
#pragma once

#include "tools/flow-client/CommandLine.h"

namespace ondivar::flow {

enum ExitStatus { exitSuccess = 0, exitComponentFailure = 1, exitUsage = 2, exitRowsFailed = 3 };

int runSingle(const ClientOptions& options);
int runBatch(const ClientOptions& options);

} // namespace ondivar::flow
