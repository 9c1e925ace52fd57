// Sees and dismisses the message boxes the calling thread shows while the watcher lives, through a
// thread hook (WH_CBT). In a headless Wine prefix (Graphics driver "null") a message box is created
// invisibly and blocks until dismissed: the watcher records what it shows and presses its OK button.
#pragma once

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
    MessageBoxWatcher()
    {
        m_previous = current();
        current() = this;
        m_hook = SetWindowsHookExW(WH_CBT, &MessageBoxWatcher::hook, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxWatcher()
    {
        if (m_hook != nullptr)
            UnhookWindowsHookEx(m_hook);
        current() = m_previous;
    }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    bool installed() const { return m_hook != nullptr; }
    const std::vector<ObservedMessageBox>& seen() const { return m_seen; }
    void clear() { m_seen.clear(); }

private:
    static MessageBoxWatcher*& current()
    {
        thread_local MessageBoxWatcher* watcher = nullptr;
        return watcher;
    }

    static std::wstring windowText(HWND window)
    {
        if (window == nullptr)
            return std::wstring();
        wchar_t buffer[512] = {};
        GetWindowTextW(window, buffer, 511);
        return buffer;
    }

    static ObservedMessageBox describe(HWND box)
    {
        ObservedMessageBox observed;
        observed.caption = windowText(box);
        // The static control that holds the text has the id 0xFFFF.
        observed.text = windowText(GetDlgItem(box, 0xFFFF));
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

    static bool isDialog(HWND window)
    {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 15);
        return std::wstring(className) == L"#32770";
    }

    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam)
    {
        MessageBoxWatcher* self = current();
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && self != nullptr && isDialog(window)) {
            // A box is activated again when another window took the activation from it (other programs
            // show boxes on the same desktop): it is recorded once.
            if (std::find(self->m_open.begin(), self->m_open.end(), window) == self->m_open.end()) {
                self->m_open.push_back(window);
                self->m_seen.push_back(describe(window));
            }
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        } else if (code == HCBT_DESTROYWND && self != nullptr) {
            self->m_open.erase(std::remove(self->m_open.begin(), self->m_open.end(), window),
                               self->m_open.end());
        }
        return CallNextHookEx(self != nullptr ? self->m_hook : nullptr, code, wParam, lParam);
    }

    HHOOK m_hook = nullptr;
    MessageBoxWatcher* m_previous = nullptr;
    std::vector<ObservedMessageBox> m_seen;
    // The boxes recorded and not destroyed yet.
    std::vector<HWND> m_open;
};

} // namespace ondivar::testing
