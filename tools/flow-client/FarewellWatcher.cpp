#include "tools/flow-client/FarewellWatcher.h"

#include "support/StringConversion.h"

namespace ondivar::flow {

FarewellWatcher::FarewellWatcher(std::ostream& out)
    : m_hook([&out](HWND box) {
          out << "Component: " << wideToUtf8(MessageBoxHook::windowText(box)) << " \xE2\x80\x94 "
              << wideToUtf8(MessageBoxHook::boxText(box)) << std::endl;
      })
{
}

} // namespace ondivar::flow
