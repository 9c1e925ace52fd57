#include "tools/common/MessageBoxHook.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using ondivar::MessageBoxHook;

// A box shown by another thread, left open until the test is done with it.
class ForeignBox {
public:
    explicit ForeignBox(const wchar_t* caption) : m_caption(caption)
    {
        m_thread = std::thread([this] {
            MessageBoxW(nullptr, L"not ours", m_caption, MB_OK);
            m_closed = true;
        });
        for (int i = 0; i < 500 && m_window == nullptr; ++i) {
            Sleep(10);
            m_window = FindWindowW(L"#32770", m_caption);
        }
    }
    ~ForeignBox()
    {
        // The box may have appeared only after the constructor gave up looking for it.
        while (!m_closed) {
            if (HWND box = FindWindowW(L"#32770", m_caption))
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            Sleep(10);
        }
        m_thread.join();
    }
    ForeignBox(const ForeignBox&) = delete;
    ForeignBox& operator=(const ForeignBox&) = delete;

    HWND window() const { return m_window; }
    bool open() const { return m_window != nullptr && IsWindow(m_window); }

private:
    const wchar_t* m_caption;
    std::atomic<bool> m_closed{false};
    HWND m_window = nullptr;
    std::thread m_thread;
};

TEST(MessageBoxHookTest, HandsOverEachOwnBoxOnceAndLeavesOtherThreadsBoxesAlone)
{
    ForeignBox foreign(L"Foreign box");
    ASSERT_NE(nullptr, foreign.window()) << "the other thread's box did not appear";

    std::vector<std::wstring> seen;
    {
        MessageBoxHook hook([&](HWND box) {
            seen.push_back(MessageBoxHook::windowText(box) + L": " + MessageBoxHook::boxText(box));
        });
        ASSERT_TRUE(hook.installed());
        EXPECT_EQ(IDOK, MessageBoxW(nullptr, L"first", L"Own box", MB_OK));
        // A closing box whose activation was taken by another program's box hands the activation to the
        // next window, which may belong to another thread: the attempt alone runs this thread's hook.
        SetActiveWindow(foreign.window());
        EXPECT_EQ(IDOK, MessageBoxW(nullptr, L"second", L"Own box", MB_OKCANCEL));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Own box: first", L"Own box: second"}), seen);
    EXPECT_TRUE(foreign.open()) << "the hook closed a box it does not own";
}

// A hook set on another thread of the process (as on an apartment COM made) acknowledges that thread's
// boxes, handing them over on that thread.
TEST(MessageBoxHookTest, AcknowledgesTheBoxesOfAnotherThreadItIsSetOn)
{
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(ready != nullptr && go != nullptr);
    std::atomic<DWORD> otherId{0};
    int answer = 0;
    std::thread other([&] {
        otherId = GetCurrentThreadId();
        SetEvent(ready);
        WaitForSingleObject(go, INFINITE);
        answer = MessageBoxW(nullptr, L"from the other thread", L"Other box", MB_OK);
    });
    WaitForSingleObject(ready, INFINITE);
    std::wstring seen;
    DWORD handedOverOn = 0;
    {
        MessageBoxHook hook(otherId, [&](HWND box) {
            seen = MessageBoxHook::windowText(box);
            handedOverOn = GetCurrentThreadId();
        });
        EXPECT_TRUE(hook.installed());
        SetEvent(go);
        other.join();
    }
    CloseHandle(ready);
    CloseHandle(go);
    EXPECT_EQ(IDOK, answer);
    EXPECT_EQ(L"Other box", seen);
    EXPECT_EQ(otherId.load(), handedOverOn);
}

} // namespace
