// Sees and dismisses the message boxes a thread shows while the watcher lives (through the support
// library's MessageBoxHook), recording what each one showed. The thread is the calling one, or another
// thread of this process: its boxes are then recorded on that thread, and are read here once the call
// that made the box show has returned.
#pragma once

#include "tools/common/MessageBoxHook.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ondivar::testing {

struct ObservedMessageBox {
    std::wstring caption;
    std::wstring text;
    bool hasOwner = false;
    // Push buttons shown, by command id (IDOK, IDCANCEL, ...).
    std::vector<int> buttons;
    // The icon shown is the system's information icon.
    bool informationIcon = false;
};

class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(DWORD thread = GetCurrentThreadId())
        : m_hook(thread, [this](HWND box) { m_seen.push_back(describe(box)); })
    {
    }

    bool installed() const { return m_hook.installed(); }
    const std::vector<ObservedMessageBox>& seen() const { return m_seen; }
    // How many of the boxes seen had this caption.
    std::size_t countCaptioned(const std::wstring& caption) const
    {
        return static_cast<std::size_t>(
            std::count_if(m_seen.begin(), m_seen.end(),
                          [&](const ObservedMessageBox& box) { return box.caption == caption; }));
    }
    void clear() { m_seen.clear(); }

private:
    static ObservedMessageBox describe(HWND box)
    {
        ObservedMessageBox observed;
        observed.caption = MessageBoxHook::windowText(box);
        observed.text = MessageBoxHook::boxText(box);
        observed.hasOwner = GetWindow(box, GW_OWNER) != nullptr;
        for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN, IDCONTINUE}) {
            HWND button = GetDlgItem(box, id);
            // The box itself is not shown yet when it is activated: look at the button's own style.
            if (button != nullptr && (GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE) != 0)
                observed.buttons.push_back(id);
        }
        const HICON information = LoadIconW(nullptr, IDI_INFORMATION);
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            const HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            if (icon != nullptr && icon == information)
                observed.informationIcon = true;
        }
        return observed;
    }

    // Declared first: the hook's callback fills it.
    std::vector<ObservedMessageBox> m_seen;
    MessageBoxHook m_hook;
};

} // namespace ondivar::testing
