#pragma once

#include <dshow.h>

// IMediaPosition over an IMediaSeeking (in practice a CSeekingPassThrough): the old
// automation face of seeking, in seconds, for callers and graphs that still ask for it.
// Its IDispatch members describe it through the system's type library of the DirectShow
// control interfaces. Part of its owner's COM object: IUnknown goes there.
class CPositionPassThrough : public IMediaPosition
{
public:
    // Both are weak: the owner holds the seeking object and this one alike.
    CPositionPassThrough(IUnknown& owner, IMediaSeeking& seeking);
    ~CPositionPassThrough();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return m_owner.QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_owner.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_owner.Release(); }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    // IMediaPosition, in seconds
    STDMETHODIMP get_Duration(REFTIME* length) override;
    STDMETHODIMP put_CurrentPosition(REFTIME time) override;
    STDMETHODIMP get_CurrentPosition(REFTIME* time) override;
    STDMETHODIMP get_StopTime(REFTIME* time) override;
    STDMETHODIMP put_StopTime(REFTIME time) override;
    STDMETHODIMP get_PrerollTime(REFTIME* time) override;
    STDMETHODIMP put_PrerollTime(REFTIME time) override;
    STDMETHODIMP put_Rate(double rate) override;
    STDMETHODIMP get_Rate(double* rate) override;
    STDMETHODIMP CanSeekForward(LONG* can) override;
    STDMETHODIMP CanSeekBackward(LONG* can) override;

private:
    HRESULT LoadTypeInfo();
    HRESULT Seconds(HRESULT hr, LONGLONG units, REFTIME* time);
    HRESULT Can(DWORD capability, LONG* can);

    IUnknown& m_owner;
    IMediaSeeking& m_seeking;
    // Loaded on first use and released with this object.
    ITypeInfo* m_typeInfo = nullptr;
};
