#include "tests/module/registration/ChildProcess.h"

#include <set>

namespace ondivar::testing {
namespace {

class Handle {
public:
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }
    HANDLE get() const { return m_handle; }
    HANDLE* put()
    {
        reset();
        return &m_handle;
    }
    void reset()
    {
        if (m_handle != nullptr)
            CloseHandle(m_handle);
        m_handle = nullptr;
    }

private:
    HANDLE m_handle = nullptr;
};

std::wstring windowText(HWND window)
{
    wchar_t text[512] = {};
    if (window != nullptr)
        GetWindowTextW(window, text, 511);
    return text;
}

struct BoxSearch {
    DWORD processId;
    std::set<HWND>* answered;
    std::vector<ChildMessageBox>* boxes;
};

// Answers every shown dialog box of the child that has not been answered yet.
BOOL CALLBACK answerBox(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<BoxSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window) || search.answered->count(window) != 0)
        return TRUE;
    wchar_t className[16] = {};
    GetClassNameW(window, className, 15);
    if (std::wstring(className) != L"#32770")
        return TRUE;
    // The static control holding a message box's text has the id 0xFFFF.
    search.boxes->push_back({windowText(window), windowText(GetDlgItem(window, 0xFFFF))});
    search.answered->insert(window);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void drain(HANDLE pipe, std::string& output)
{
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0)
            return;
        char buffer[4096];
        DWORD read = 0;
        if (!ReadFile(pipe, buffer, available < sizeof buffer ? available : sizeof buffer, &read, nullptr) ||
            read == 0)
            return;
        for (DWORD i = 0; i < read; ++i) {
            if (buffer[i] != '\r')
                output += buffer[i];
        }
    }
}

} // namespace

ChildRun runChild(const std::wstring& commandLine, DWORD timeoutMilliseconds)
{
    ChildRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Handle readEnd;
    Handle writeEnd;
    Handle errorReadEnd;
    Handle errorWriteEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0) ||
        !CreatePipe(errorReadEnd.put(), errorWriteEnd.put(), &inherit, 0))
        return run;
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errorReadEnd.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = errorWriteEnd.get();
    PROCESS_INFORMATION process{};
    std::wstring mutableLine = commandLine;
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return run;
    run.started = true;
    Handle processHandle;
    *processHandle.put() = process.hProcess;
    CloseHandle(process.hThread);
    writeEnd.reset();
    errorWriteEnd.reset();

    std::set<HWND> answered;
    BoxSearch search{process.dwProcessId, &answered, &run.messageBoxes};
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    for (;;) {
        const DWORD state = WaitForSingleObject(processHandle.get(), 50);
        drain(readEnd.get(), run.output);
        drain(errorReadEnd.get(), run.errors);
        if (state == WAIT_OBJECT_0) {
            run.finished = true;
            break;
        }
        EnumWindows(&answerBox, reinterpret_cast<LPARAM>(&search));
        if (GetTickCount64() > deadline) {
            TerminateProcess(processHandle.get(), 255);
            WaitForSingleObject(processHandle.get(), 5000);
            break;
        }
    }
    GetExitCodeProcess(processHandle.get(), &run.exitCode);
    drain(readEnd.get(), run.output);
    drain(errorReadEnd.get(), run.errors);
    return run;
}

} // namespace ondivar::testing
