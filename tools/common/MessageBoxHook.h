// Acknowledges the message boxes a thread shows while the hook lives, through a thread hook (WH_CBT):
// each box is handed to onBox once (its caption and text are set by then) and then closed with its OK
// button. A console or test run needs this: in a headless prefix (Graphics driver "null") a box is
// created invisibly and would wait for ever. A box is activated again when another window took the
// activation from it; it is still handed over only once.
//
// The thread is the calling one, or another thread of this process (the apartment COM makes for objects
// that a multithreaded apartment creates, say): onBox then runs on that thread, and the hook must not
// be destroyed while that thread may still show a box.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace ondivar {

class MessageBoxHook {
public:
    explicit MessageBoxHook(std::function<void(HWND box)> onBox = {})
        : MessageBoxHook(GetCurrentThreadId(), std::move(onBox))
    {
    }
    MessageBoxHook(DWORD threadId, std::function<void(HWND box)> onBox)
        : m_onBox(std::move(onBox)), m_thread(threadId)
    {
        {
            const std::lock_guard<std::mutex> lock(hooks().mutex);
            hooks().active.push_back(this);
        }
        m_hook = SetWindowsHookExW(WH_CBT, &MessageBoxHook::hook, nullptr, threadId);
    }
    ~MessageBoxHook()
    {
        if (m_hook != nullptr)
            UnhookWindowsHookEx(m_hook);
        const std::lock_guard<std::mutex> lock(hooks().mutex);
        std::vector<MessageBoxHook*>& active = hooks().active;
        active.erase(std::remove(active.begin(), active.end(), this), active.end());
    }
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;

    bool installed() const noexcept { return m_hook != nullptr; }

    // The text of a window (a box's caption); the text of a box is its control 0xFFFF's.
    static std::wstring windowText(HWND window)
    {
        if (window == nullptr)
            return std::wstring();
        wchar_t buffer[512] = {};
        GetWindowTextW(window, buffer, 511);
        return buffer;
    }
    static std::wstring boxText(HWND box) { return windowText(GetDlgItem(box, 0xFFFF)); }

private:
    // The hooks alive in the process; the newest of a thread's hooks is the one that acts.
    struct Hooks {
        std::mutex mutex;
        std::vector<MessageBoxHook*> active;
    };
    static Hooks& hooks()
    {
        static Hooks all;
        return all;
    }
    static MessageBoxHook* current()
    {
        const DWORD thread = GetCurrentThreadId();
        const std::lock_guard<std::mutex> lock(hooks().mutex);
        const std::vector<MessageBoxHook*>& active = hooks().active;
        const auto found = std::find_if(active.rbegin(), active.rend(), [thread](const MessageBoxHook* hook) {
            return hook->m_thread == thread;
        });
        return found != active.rend() ? *found : nullptr;
    }

    // The hook also runs when this thread merely tries to activate another thread's window: a closing box
    // whose activation another program took hands it on to the next window, often that program's box
    // (seen when two test programs share a prefix). Only this thread's own boxes are handed over and
    // closed.
    static bool isOwnDialog(HWND window)
    {
        if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
            return false;
        wchar_t className[16] = {};
        GetClassNameW(window, className, 15);
        return std::wstring(className) == L"#32770";
    }

    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam)
    {
        MessageBoxHook* self = current();
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && self != nullptr && isOwnDialog(window)) {
            if (std::find(self->m_open.begin(), self->m_open.end(), window) == self->m_open.end()) {
                self->m_open.push_back(window);
                if (self->m_onBox)
                    self->m_onBox(window);
            }
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        } else if (code == HCBT_DESTROYWND && self != nullptr) {
            self->m_open.erase(std::remove(self->m_open.begin(), self->m_open.end(), window),
                               self->m_open.end());
        }
        return CallNextHookEx(self != nullptr ? self->m_hook : nullptr, code, wParam, lParam);
    }

    std::function<void(HWND)> m_onBox;
    DWORD m_thread;
    HHOOK m_hook = nullptr;
    // The boxes handed over and not destroyed yet.
    std::vector<HWND> m_open;
};

} // namespace ondivar
