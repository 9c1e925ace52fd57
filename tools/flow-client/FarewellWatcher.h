// The component shows a modal message box when its last reference goes. A real desktop user dismisses
// it; a console run (a headless prefix creates the box invisibly, and it would wait for ever) has it
// acknowledged by a thread hook instead, which writes its caption and text as one line.
#pragma once

#include <windows.h>

#include <ostream>

namespace ondivar::flow {

// Acknowledges the message boxes this thread shows while the watcher lives.
class FarewellWatcher {
public:
    explicit FarewellWatcher(std::ostream& out);
    FarewellWatcher(const FarewellWatcher&) = delete;
    FarewellWatcher& operator=(const FarewellWatcher&) = delete;
    ~FarewellWatcher();

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);

    std::ostream& m_out;
    HHOOK m_hook;
    FarewellWatcher* m_previous;
    // The box printed and not destroyed yet: a box activated again (another window took the activation
    // from it) is printed once.
    HWND m_printed = nullptr;
};

} // namespace ondivar::flow
