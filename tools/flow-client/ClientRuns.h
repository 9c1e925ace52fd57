// The client's runs: one calculation printed as a table, and a profile computed row by row (--batch) or
// marched as a pressure traverse (--traverse). Each returns the process exit status.
#pragma once

#include "tools/flow-client/CommandLine.h"

namespace ondivar::flow {

enum ExitStatus { exitSuccess = 0, exitComponentFailure = 1, exitUsage = 2, exitRowsFailed = 3 };

int runSingle(const ClientOptions& options);
int runProfile(const ClientOptions& options);

} // namespace ondivar::flow
