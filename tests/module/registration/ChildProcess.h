// Runs a program of the prefix (regsvr32, cscript) as a child process: collects what it prints and
// dismisses the message boxes it shows (a headless prefix shows them invisibly, and they would block the
// child for ever). Never waits longer than the timeout: a child still running then is ended.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ondivar::testing {

struct ChildMessageBox {
    std::wstring caption;
    std::wstring text;
};

struct ChildRun {
    bool started = false;
    // False when the timeout ended the child.
    bool finished = false;
    DWORD exitCode = 0;
    // What it wrote to standard output and to standard error, carriage returns dropped.
    std::string output;
    std::string errors;
    // Every message box the child showed, in order; each was answered with OK.
    std::vector<ChildMessageBox> messageBoxes;
};

ChildRun runChild(const std::wstring& commandLine, DWORD timeoutMilliseconds);

} // namespace ondivar::testing
