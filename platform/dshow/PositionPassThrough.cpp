#include "PositionPassThrough.h"

#include <control.h>

namespace
{

const double kUnitsPerSecond = 10000000.0;

LONGLONG Units(REFTIME time)
{
    return static_cast<LONGLONG>(time * kUnitsPerSecond + (time < 0 ? -0.5 : 0.5));
}

} // namespace

CPositionPassThrough::CPositionPassThrough(IUnknown& owner, IMediaSeeking& seeking)
    : m_owner(owner), m_seeking(seeking)
{
}

CPositionPassThrough::~CPositionPassThrough()
{
    if (m_typeInfo)
        m_typeInfo->Release();
}

HRESULT CPositionPassThrough::LoadTypeInfo()
{
    if (m_typeInfo)
        return S_OK;
    ITypeLib* library = nullptr;
    HRESULT hr = LoadRegTypeLib(LIBID_QuartzTypeLib, 1, 0, LOCALE_SYSTEM_DEFAULT, &library);
    if (FAILED(hr))
        return hr;
    hr = library->GetTypeInfoOfGuid(IID_IMediaPosition, &m_typeInfo);
    library->Release();
    return hr;
}

STDMETHODIMP CPositionPassThrough::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP CPositionPassThrough::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    HRESULT hr = LoadTypeInfo();
    if (FAILED(hr))
        return hr;
    m_typeInfo->AddRef();
    *info = m_typeInfo;
    return S_OK;
}

STDMETHODIMP CPositionPassThrough::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    HRESULT hr = LoadTypeInfo();
    if (FAILED(hr))
        return hr;
    return DispGetIDsOfNames(m_typeInfo, names, count, ids);
}

STDMETHODIMP CPositionPassThrough::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                          VARIANT* result, EXCEPINFO* exception, UINT* argumentError)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    HRESULT hr = LoadTypeInfo();
    if (FAILED(hr))
        return hr;
    return DispInvoke(static_cast<IMediaPosition*>(this), m_typeInfo, id, flags, params, result, exception,
                      argumentError);
}

HRESULT CPositionPassThrough::Seconds(HRESULT hr, LONGLONG units, REFTIME* time)
{
    if (SUCCEEDED(hr))
        *time = static_cast<double>(units) / kUnitsPerSecond;
    return hr;
}

STDMETHODIMP CPositionPassThrough::get_Duration(REFTIME* length)
{
    if (!length)
        return E_POINTER;
    LONGLONG units = 0;
    HRESULT hr = m_seeking.GetDuration(&units);
    return Seconds(hr, units, length);
}

STDMETHODIMP CPositionPassThrough::put_CurrentPosition(REFTIME time)
{
    LONGLONG units = Units(time);
    return m_seeking.SetPositions(&units, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

STDMETHODIMP CPositionPassThrough::get_CurrentPosition(REFTIME* time)
{
    if (!time)
        return E_POINTER;
    LONGLONG units = 0;
    HRESULT hr = m_seeking.GetCurrentPosition(&units);
    return Seconds(hr, units, time);
}

STDMETHODIMP CPositionPassThrough::get_StopTime(REFTIME* time)
{
    if (!time)
        return E_POINTER;
    LONGLONG units = 0;
    HRESULT hr = m_seeking.GetStopPosition(&units);
    return Seconds(hr, units, time);
}

STDMETHODIMP CPositionPassThrough::put_StopTime(REFTIME time)
{
    LONGLONG units = Units(time);
    return m_seeking.SetPositions(nullptr, AM_SEEKING_NoPositioning, &units, AM_SEEKING_AbsolutePositioning);
}

STDMETHODIMP CPositionPassThrough::get_PrerollTime(REFTIME* time)
{
    if (!time)
        return E_POINTER;
    LONGLONG units = 0;
    HRESULT hr = m_seeking.GetPreroll(&units);
    return Seconds(hr, units, time);
}

// IMediaSeeking has no way to set a preroll.
STDMETHODIMP CPositionPassThrough::put_PrerollTime(REFTIME)
{
    return E_NOTIMPL;
}

STDMETHODIMP CPositionPassThrough::put_Rate(double rate)
{
    return m_seeking.SetRate(rate);
}

STDMETHODIMP CPositionPassThrough::get_Rate(double* rate)
{
    return m_seeking.GetRate(rate);
}

HRESULT CPositionPassThrough::Can(DWORD capability, LONG* can)
{
    if (!can)
        return E_POINTER;
    DWORD capabilities = 0;
    HRESULT hr = m_seeking.GetCapabilities(&capabilities);
    *can = SUCCEEDED(hr) && (capabilities & capability) ? OATRUE : OAFALSE;
    return S_OK;
}

STDMETHODIMP CPositionPassThrough::CanSeekForward(LONG* can)
{
    return Can(AM_SEEKING_CanSeekForwards, can);
}

STDMETHODIMP CPositionPassThrough::CanSeekBackward(LONG* can)
{
    return Can(AM_SEEKING_CanSeekBackwards, can);
}
