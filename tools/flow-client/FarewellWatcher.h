// The component shows a modal message box when its last reference goes. A real desktop user dismisses
// it; a console run (a headless prefix creates the box invisibly, and it would wait for ever) has it
// acknowledged by a thread hook instead, which writes its caption and text as one line.
#pragma once

#include "tools/common/MessageBoxHook.h"

#include <ostream>

namespace ondivar::flow {

// Acknowledges the message boxes this thread shows while the watcher lives.
class FarewellWatcher {
public:
    explicit FarewellWatcher(std::ostream& out);

private:
    MessageBoxHook m_hook;
};

} // namespace ondivar::flow
