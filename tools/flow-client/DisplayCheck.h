// Whether a user could see a window of this process: the farewell box of --interactive waits for one.
#pragma once

#include <string>

namespace ondivar::flow {

// True when a desktop user can see and close a message box; otherwise false with the reason.
bool interactiveDisplayAvailable(std::string& reason);

} // namespace ondivar::flow
