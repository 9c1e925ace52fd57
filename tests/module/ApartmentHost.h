// Another single-threaded apartment in the process, with the marshalling code of Ondivar's interfaces
// registered in-process, hosting objects that other apartments reach through proxies.
#pragma once

#include "support/ComHandles.h"

#include <functional>
#include <thread>

namespace ondivar::testing {

// Makes the marshalling code (module/MarshalEntryPoints.h) serve the seven interfaces in the calling
// apartment, without the registry; undone when the scope ends.
class InProcessMarshalling {
public:
    InProcessMarshalling();
    InProcessMarshalling(const InProcessMarshalling&) = delete;
    InProcessMarshalling& operator=(const InProcessMarshalling&) = delete;
    ~InProcessMarshalling();
    HRESULT hr() const noexcept { return m_hr; }

private:
    DWORD m_cookie = 0;
    HRESULT m_hr = E_FAIL;
};

class ApartmentHost {
public:
    // Starts the apartment's thread, which creates the object with make and marshals its interface iid.
    ApartmentHost(std::function<ComPtr<IUnknown>()> make, REFIID iid);
    ApartmentHost(const ApartmentHost&) = delete;
    ApartmentHost& operator=(const ApartmentHost&) = delete;
    // Releases the object in its apartment and ends the thread.
    ~ApartmentHost();

    // The marshalled interface, unmarshalled into the calling apartment (once).
    HRESULT unmarshal(REFIID iid, void** out);
    DWORD threadId() const noexcept { return m_threadId; }
    // How starting the apartment went: S_OK when the object is marshalled.
    HRESULT hr() const noexcept { return m_hr; }

private:
    void run(const std::function<ComPtr<IUnknown>()>& make, const IID& iid);

    HANDLE m_ready;
    HANDLE m_quit;
    IStream* m_stream = nullptr;
    HRESULT m_hr = E_FAIL;
    DWORD m_threadId = 0;
    std::thread m_thread;
};

} // namespace ondivar::testing
