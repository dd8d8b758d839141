#include "CMuxHalfAllocator.h"

#include <uuids.h>

#include <new>

HRESULT CMuxHalfAllocator::Create(IMemAllocator** allocator)
{
    auto* made = new (std::nothrow) CMuxHalfAllocator();
    if (!made)
        return E_OUTOFMEMORY;
    HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                  made->m_memory.ReceiveVoid());
    if (SUCCEEDED(hr))
        hr = made->InnerQueryInterface(IID_IMemAllocator, reinterpret_cast<void**>(allocator));
    made->InnerRelease();
    return hr;
}

STDMETHODIMP CMuxHalfAllocator::SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual)
{
    if (!request)
        return E_POINTER;
    ALLOCATOR_PROPERTIES half = *request;
    half.cbBuffer /= 2;
    return m_memory->SetProperties(&half, actual);
}

void* CMuxHalfAllocator::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IMemAllocator))
        return static_cast<IMemAllocator*>(this);
    return CComIdentity::FindInterface(iid);
}
