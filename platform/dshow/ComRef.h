#pragma once

#include <objbase.h>

// An owned COM reference: released in exactly one place, the destructor (or Reset).
template <class T>
class CComRef
{
public:
    CComRef() = default;
    // Shares the caller's reference: takes one of its own.
    CComRef(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    CComRef(const CComRef& other) : CComRef(other.m_p) {}
    CComRef(CComRef&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~CComRef() { Reset(); }

    CComRef& operator=(const CComRef& other) { CComRef(other).Swap(*this); return *this; }
    CComRef& operator=(CComRef&& other) noexcept { CComRef(static_cast<CComRef&&>(other)).Swap(*this); return *this; }
    CComRef& operator=(T* p) { CComRef(p).Swap(*this); return *this; }

    // Takes over a reference the caller already owns (a new object, an out parameter).
    static CComRef Adopt(T* p) { CComRef r; r.m_p = p; return r; }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For out parameters: drops the current reference and lets the callee fill in a new one.
    T** Receive() { Reset(); return &m_p; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    void Reset() { T* p = m_p; m_p = nullptr; if (p) p->Release(); }
    T* Detach() { T* p = m_p; m_p = nullptr; return p; }

    // Hands an AddRef'd copy to a COM out parameter.
    HRESULT CopyTo(T** out) const
    {
        if (!out)
            return E_POINTER;
        *out = m_p;
        if (m_p)
            m_p->AddRef();
        return S_OK;
    }

    template <class U>
    HRESULT QueryTo(CComRef<U>& out) const
    {
        out.Reset();
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(__uuidof(U), out.ReceiveVoid());
    }

    void Swap(CComRef& other) { T* p = m_p; m_p = other.m_p; other.m_p = p; }

private:
    T* m_p = nullptr;
};
