// Sees and dismisses the message boxes the calling thread shows while the watcher lives (through the
// support library's MessageBoxHook), recording what each one showed.
#pragma once

#include "support/MessageBoxHook.h"

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
    MessageBoxWatcher() : m_hook([this](HWND box) { m_seen.push_back(describe(box)); }) {}

    bool installed() const { return m_hook.installed(); }
    const std::vector<ObservedMessageBox>& seen() const { return m_seen; }
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
