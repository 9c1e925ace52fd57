// Owners for the COM and Automation resources the code touches: interface pointers, BSTRs, VARIANTs,
// SAFEARRAYs, their locks and their data access. Each releases what it holds on every path.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace ondivar {

// A counted interface pointer: AddRef on copy, Release on destruction.
template <class T> class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes a new counted reference on p.
    explicit ComPtr(T* p) noexcept : m_p(p) { addRef(); }
    ComPtr(const ComPtr& other) noexcept : m_p(other.m_p) { addRef(); }
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { release(); }

    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Adopts a reference the caller already owns.
    static ComPtr attach(T* p) noexcept
    {
        ComPtr result;
        result.m_p = p;
        return result;
    }
    // Gives up the reference without releasing it.
    T* detach() noexcept { return std::exchange(m_p, nullptr); }

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

    // Releases what is held and returns the address for an out parameter.
    T** put() noexcept
    {
        release();
        return &m_p;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }

    void reset() noexcept { release(); }

    // QueryInterface for U; null when the object does not answer it.
    template <class U> ComPtr<U> query(REFIID iid = __uuidof(U)) const noexcept
    {
        ComPtr<U> result;
        if (m_p != nullptr)
            m_p->QueryInterface(iid, result.putVoid());
        return result;
    }

    // Hands a new counted reference to an out parameter.
    HRESULT copyTo(T** out) const noexcept
    {
        if (out == nullptr)
            return E_POINTER;
        *out = m_p;
        if (m_p != nullptr)
            m_p->AddRef();
        return S_OK;
    }

private:
    void addRef() noexcept
    {
        if (m_p != nullptr)
            m_p->AddRef();
    }
    void release() noexcept
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }

    T* m_p = nullptr;
};

// An owned BSTR, freed with SysFreeString.
class UniqueBstr {
public:
    UniqueBstr() noexcept = default;
    explicit UniqueBstr(BSTR s) noexcept : m_s(s) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    UniqueBstr(UniqueBstr&& other) noexcept : m_s(std::exchange(other.m_s, nullptr)) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept
    {
        reset(std::exchange(other.m_s, nullptr));
        return *this;
    }
    ~UniqueBstr() { reset(); }

    BSTR get() const noexcept { return m_s; }
    BSTR* put() noexcept
    {
        reset();
        return &m_s;
    }
    BSTR release() noexcept { return std::exchange(m_s, nullptr); }
    void reset(BSTR s = nullptr) noexcept
    {
        if (m_s != nullptr && m_s != s)
            SysFreeString(m_s);
        m_s = s;
    }
    UINT length() const noexcept { return SysStringLen(m_s); }
    // The whole text, as long as the BSTR says; a null BSTR reads as the empty text.
    std::wstring text() const { return m_s != nullptr ? std::wstring(m_s, length()) : std::wstring(); }

private:
    BSTR m_s = nullptr;
};

// An owned VARIANT: initialised empty, cleared with VariantClear.
class UniqueVariant {
public:
    UniqueVariant() noexcept { VariantInit(&m_v); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&m_v); }

    VARIANT* get() noexcept { return &m_v; }
    const VARIANT* get() const noexcept { return &m_v; }
    VARIANT* operator->() noexcept { return &m_v; }
    const VARIANT* operator->() const noexcept { return &m_v; }
    // Clears the content and returns the address for an out parameter.
    VARIANT* put() noexcept
    {
        VariantClear(&m_v);
        return &m_v;
    }
    // Moves the content into *out (which must hold nothing owned) and leaves this empty.
    void release(VARIANT* out) noexcept
    {
        *out = m_v;
        VariantInit(&m_v);
    }

private:
    VARIANT m_v;
};

// An owned SAFEARRAY, destroyed with SafeArrayDestroy.
class UniqueSafeArray {
public:
    UniqueSafeArray() noexcept = default;
    explicit UniqueSafeArray(SAFEARRAY* a) noexcept : m_a(a) {}
    UniqueSafeArray(const UniqueSafeArray&) = delete;
    UniqueSafeArray& operator=(const UniqueSafeArray&) = delete;
    UniqueSafeArray(UniqueSafeArray&& other) noexcept : m_a(std::exchange(other.m_a, nullptr)) {}
    UniqueSafeArray& operator=(UniqueSafeArray&& other) noexcept
    {
        reset(std::exchange(other.m_a, nullptr));
        return *this;
    }
    ~UniqueSafeArray() { reset(); }

    SAFEARRAY* get() const noexcept { return m_a; }
    SAFEARRAY** put() noexcept
    {
        reset();
        return &m_a;
    }
    SAFEARRAY* release() noexcept { return std::exchange(m_a, nullptr); }
    // The held pointer's own address, for a by-reference argument whose callee may replace the array:
    // whatever it holds afterwards is destroyed with this owner.
    SAFEARRAY** slot() noexcept { return &m_a; }
    void reset(SAFEARRAY* a = nullptr) noexcept
    {
        if (m_a != nullptr && m_a != a)
            SafeArrayDestroy(m_a);
        m_a = a;
    }

private:
    SAFEARRAY* m_a = nullptr;
};

// Holds a SafeArrayLock for a scope; check locked() (or hr()) before using the array.
class SafeArrayLockGuard {
public:
    explicit SafeArrayLockGuard(SAFEARRAY* a) noexcept : m_a(a), m_hr(SafeArrayLock(a))
    {
        if (FAILED(m_hr))
            m_a = nullptr;
    }
    SafeArrayLockGuard(const SafeArrayLockGuard&) = delete;
    SafeArrayLockGuard& operator=(const SafeArrayLockGuard&) = delete;
    ~SafeArrayLockGuard()
    {
        if (m_a != nullptr)
            SafeArrayUnlock(m_a);
    }
    bool locked() const noexcept { return m_a != nullptr; }
    HRESULT hr() const noexcept { return m_hr; }

private:
    SAFEARRAY* m_a;
    HRESULT m_hr;
};

// Direct access to a SAFEARRAY's elements for a scope (SafeArrayAccessData / SafeArrayUnaccessData).
template <class T> class SafeArrayData {
public:
    explicit SafeArrayData(SAFEARRAY* a) noexcept : m_a(a)
    {
        m_hr = SafeArrayAccessData(a, reinterpret_cast<void**>(&m_data));
        if (FAILED(m_hr)) {
            m_a = nullptr;
            m_data = nullptr;
        }
    }
    SafeArrayData(const SafeArrayData&) = delete;
    SafeArrayData& operator=(const SafeArrayData&) = delete;
    ~SafeArrayData()
    {
        if (m_a != nullptr)
            SafeArrayUnaccessData(m_a);
    }
    T* data() const noexcept { return m_data; }
    T& operator[](size_t i) const noexcept { return m_data[i]; }
    HRESULT hr() const noexcept { return m_hr; }
    explicit operator bool() const noexcept { return m_data != nullptr; }

private:
    SAFEARRAY* m_a;
    T* m_data = nullptr;
    HRESULT m_hr;
};

// An attribute block that type information hands out (TLIBATTR, TYPEATTR, FUNCDESC), given back to its
// owner when the scope ends. Check hr() (or the bool) before use.
template <class Owner, class Block> class ScopedTypeInfoBlock {
public:
    ScopedTypeInfoBlock(const ScopedTypeInfoBlock&) = delete;
    ScopedTypeInfoBlock& operator=(const ScopedTypeInfoBlock&) = delete;
    ~ScopedTypeInfoBlock()
    {
        if (m_block != nullptr)
            release(m_owner, m_block);
    }
    const Block* get() const noexcept { return m_block; }
    const Block* operator->() const noexcept { return m_block; }
    const Block& operator*() const noexcept { return *m_block; }
    HRESULT hr() const noexcept { return m_hr; }
    explicit operator bool() const noexcept { return m_block != nullptr; }

protected:
    explicit ScopedTypeInfoBlock(Owner* owner) noexcept : m_owner(owner) {}
    void taken(HRESULT hr) noexcept
    {
        m_hr = hr;
        if (FAILED(hr))
            m_block = nullptr;
    }

    Owner* m_owner;
    Block* m_block = nullptr;
    HRESULT m_hr = E_FAIL;

private:
    static void release(ITypeLib* owner, TLIBATTR* block) noexcept { owner->ReleaseTLibAttr(block); }
    static void release(ITypeInfo* owner, TYPEATTR* block) noexcept { owner->ReleaseTypeAttr(block); }
    static void release(ITypeInfo* owner, FUNCDESC* block) noexcept { owner->ReleaseFuncDesc(block); }
};

class ScopedLibAttr : public ScopedTypeInfoBlock<ITypeLib, TLIBATTR> {
public:
    explicit ScopedLibAttr(ITypeLib* library) noexcept : ScopedTypeInfoBlock(library)
    {
        taken(library->GetLibAttr(&m_block));
    }
};

class ScopedTypeAttr : public ScopedTypeInfoBlock<ITypeInfo, TYPEATTR> {
public:
    explicit ScopedTypeAttr(ITypeInfo* info) noexcept : ScopedTypeInfoBlock(info)
    {
        taken(info->GetTypeAttr(&m_block));
    }
};

class ScopedFuncDesc : public ScopedTypeInfoBlock<ITypeInfo, FUNCDESC> {
public:
    ScopedFuncDesc(ITypeInfo* info, UINT index) noexcept : ScopedTypeInfoBlock(info)
    {
        taken(info->GetFuncDesc(index, &m_block));
    }
};

} // namespace ondivar
