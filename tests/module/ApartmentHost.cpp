#include "tests/module/ApartmentHost.h"

#include "OndivarLib.h"
#include "module/MarshalEntryPoints.h"

#include <utility>

namespace ondivar::testing {

InProcessMarshalling::InProcessMarshalling()
{
    ComPtr<IUnknown> factory;
    m_hr = PrxDllGetClassObject(CLSID_OndivarProxyStub, IID_IUnknown, factory.putVoid());
    if (FAILED(m_hr))
        return;
    m_hr = CoRegisterClassObject(CLSID_OndivarProxyStub, factory.get(), CLSCTX_INPROC_SERVER,
                                 REGCLS_MULTIPLEUSE, &m_cookie);
    if (FAILED(m_hr))
        return;
    const IID* const interfaces[] = {
        &IID_ICapeHydroContext,     &IID_ICapeHydroPackageManager,  &IID_ICapeHydroPhases,
        &IID_ICapeHydroFlowRoutine, &IID_ICapeHydroPropertyRoutine, &IID_ICapeHydroFields,
        &IID_ICapeHydroFlow};
    for (const IID* iid : interfaces) {
        m_hr = CoRegisterPSClsid(*iid, CLSID_OndivarProxyStub);
        if (FAILED(m_hr))
            return;
    }
}

InProcessMarshalling::~InProcessMarshalling()
{
    if (m_cookie != 0)
        CoRevokeClassObject(m_cookie);
}

ApartmentHost::ApartmentHost(std::function<ComPtr<IUnknown>()> make, REFIID iid)
    : m_ready(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_quit(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    const IID wanted = iid;
    m_thread = std::thread([this, make = std::move(make), wanted] { run(make, wanted); });
    WaitForSingleObject(m_ready, INFINITE);
}

ApartmentHost::~ApartmentHost()
{
    SetEvent(m_quit);
    m_thread.join();
    if (m_stream != nullptr)
        m_stream->Release();
    CloseHandle(m_ready);
    CloseHandle(m_quit);
}

HRESULT ApartmentHost::unmarshal(REFIID iid, void** out)
{
    if (m_stream == nullptr)
        return E_UNEXPECTED;
    return CoGetInterfaceAndReleaseStream(std::exchange(m_stream, nullptr), iid, out);
}

void ApartmentHost::run(const std::function<ComPtr<IUnknown>()>& make, const IID& iid)
{
    m_threadId = GetCurrentThreadId();
    m_hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(m_hr)) {
        SetEvent(m_ready);
        return;
    }
    {
        InProcessMarshalling marshalling;
        ComPtr<IUnknown> object = make();
        m_hr = marshalling.hr();
        if (SUCCEEDED(m_hr))
            m_hr = CoMarshalInterThreadInterfaceInStream(iid, object.get(), &m_stream);
        SetEvent(m_ready);
        // Calls from other apartments arrive as window messages.
        while (MsgWaitForMultipleObjects(1, &m_quit, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
        }
    }
    CoUninitialize();
}

} // namespace ondivar::testing
