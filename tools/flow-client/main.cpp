// ondivar-flow: drives the Ondivar hydrodynamics component through COM, for one case or a profile.
#include "tools/flow-client/ClientRuns.h"
#include "tools/flow-client/CommandLine.h"
#include "support/StringConversion.h"

#include <windows.h>
#include <shellapi.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// The arguments as UTF-8, from the wide command line (the narrow argv loses what the code page lacks).
std::vector<std::string> argumentsUtf8()
{
    int count = 0;
    const std::unique_ptr<wchar_t*, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &count),
                                                               &LocalFree);
    std::vector<std::string> arguments;
    for (int i = 1; argv && i < count; ++i)
        arguments.push_back(ondivar::wideToUtf8(argv.get()[i]));
    return arguments;
}

} // namespace

int main()
{
    using namespace ondivar::flow;
    SetConsoleOutputCP(CP_UTF8);
    ClientOptions options;
    try {
        options = parseCommandLine(argumentsUtf8());
    } catch (const UsageError& e) {
        std::cerr << "ondivar-flow: " << e.what() << "\nTry 'ondivar-flow --help'.\n";
        return exitUsage;
    }
    switch (options.mode) {
    case RunMode::Help:
        std::cout << helpText();
        return exitSuccess;
    case RunMode::Batch:
    case RunMode::Traverse:
        return runProfile(options);
    case RunMode::Single:
        break;
    }
    return runSingle(options);
}
