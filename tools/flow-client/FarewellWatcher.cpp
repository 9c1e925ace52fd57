#include "tools/flow-client/FarewellWatcher.h"

#include "support/StringConversion.h"

#include <string>

namespace ondivar::flow {
namespace {

FarewellWatcher*& currentWatcher()
{
    thread_local FarewellWatcher* watcher = nullptr;
    return watcher;
}

std::wstring windowText(HWND window)
{
    wchar_t text[512] = {};
    if (window != nullptr)
        GetWindowTextW(window, text, 511);
    return text;
}

} // namespace

FarewellWatcher::FarewellWatcher(std::ostream& out) : m_out(out), m_previous(currentWatcher())
{
    currentWatcher() = this;
    m_hook = SetWindowsHookExW(WH_CBT, &FarewellWatcher::hook, nullptr, GetCurrentThreadId());
}

FarewellWatcher::~FarewellWatcher()
{
    if (m_hook != nullptr)
        UnhookWindowsHookEx(m_hook);
    currentWatcher() = m_previous;
}

LRESULT CALLBACK FarewellWatcher::hook(int code, WPARAM wParam, LPARAM lParam)
{
    FarewellWatcher* self = currentWatcher();
    // The caption and text are set by the time the box is activated (not yet when it is created).
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && self != nullptr) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 15);
        if (std::wstring(className) == L"#32770") {
            // The static control holding a message box's text has the id 0xFFFF.
            if (window != self->m_printed)
                self->m_out << "Component: " << wideToUtf8(windowText(window)) << " \xE2\x80\x94 "
                            << wideToUtf8(windowText(GetDlgItem(window, 0xFFFF))) << std::endl;
            self->m_printed = window;
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
    } else if (code == HCBT_DESTROYWND && self != nullptr && window == self->m_printed) {
        self->m_printed = nullptr;
    }
    return CallNextHookEx(self != nullptr ? self->m_hook : nullptr, code, wParam, lParam);
}

} // namespace ondivar::flow
