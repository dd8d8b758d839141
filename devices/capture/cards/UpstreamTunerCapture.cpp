#include "UpstreamTunerCapture.h"

#include "GraphBuilder.h"
#include "I2CAccess.h"

#include <string>

CUpstreamTunerCapture::~CUpstreamTunerCapture()
{
    RemoveFromGraph(GetTunerFilter());
    RemoveFromGraph(m_tvAudioFilter.Get());
    RemoveFromGraph(m_crossbarFilter.Get());
    ReleaseUpstreamFilters();
}

void CUpstreamTunerCapture::RemoveFromGraph(IBaseFilter* filter)
{
    IGraphBuilder* graph = GetGraph() ? GetGraph()->GetGraph() : NULL;
    if (graph && filter)
        graph->RemoveFilter(filter);
}

void CUpstreamTunerCapture::ReleaseUpstreamFilters()
{
    SetTunerFilter(NULL);
    m_tvTuner.Reset();
    m_crossbar.Reset();
    m_crossbarFilter.Reset();
    m_tvAudioFilter.Reset();
}

HRESULT CUpstreamTunerCapture::FindUpstream(REFIID iid, IUnknown** found, IBaseFilter** filter)
{
    ICaptureGraphBuilder2* builder = GetGraph() ? GetGraph()->GetCaptureBuilder() : NULL;
    if (!builder || !GetFilter())
        return E_FAIL;
    CComRef<IUnknown> object;
    HRESULT hr = builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Interleaved, GetFilter(), iid,
                                        object.ReceiveVoid());
    if (FAILED(hr))
        hr = builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, GetFilter(), iid, object.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    CComRef<IBaseFilter> base;
    hr = object->QueryInterface(IID_IBaseFilter, base.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    *found = object.Detach();
    *filter = base.Detach();
    return S_OK;
}

HRESULT CUpstreamTunerCapture::FindTuner()
{
    if (m_tvTuner)
        return S_OK;
    CComRef<IUnknown> tuner;
    CComRef<IBaseFilter> filter;
    HRESULT hr = FindUpstream(IID_IAMTVTuner, tuner.Receive(), filter.Receive());
    if (FAILED(hr))
        return hr;
    m_tvTuner = static_cast<IAMTVTuner*>(tuner.Get());
    SetTunerFilter(filter.Get());
    return S_OK;
}

HRESULT CUpstreamTunerCapture::FindCrossbar()
{
    if (m_crossbar)
        return S_OK;
    CComRef<IUnknown> crossbar;
    HRESULT hr = FindUpstream(IID_IAMCrossbar, crossbar.Receive(), m_crossbarFilter.Receive());
    if (SUCCEEDED(hr))
        m_crossbar = static_cast<IAMCrossbar*>(crossbar.Get());
    return hr;
}

HRESULT CUpstreamTunerCapture::FindTvAudio()
{
    if (m_tvAudioFilter)
        return S_OK;
    CComRef<IUnknown> tvAudio;
    return FindUpstream(IID_IAMTVAudio, tvAudio.Receive(), m_tvAudioFilter.Receive());
}

void CUpstreamTunerCapture::FindUpstreamFilters(BOOL tunerOnly)
{
    IGraphBuilder* graph = GetGraph() ? GetGraph()->GetGraph() : NULL;
    if (!graph || !GetFilter())
        return;
    std::wstring name(kNameSize, L'\0');
    MultiByteToWideChar(CP_ACP, 0, GetName(), -1, &name[0], kNameSize);
    BOOL added = SUCCEEDED(graph->AddFilter(GetFilter(), name.c_str()));
    FindTuner();
    if (!tunerOnly) {
        FindCrossbar();
        FindTvAudio();
    }
    if (added)
        graph->RemoveFilter(GetFilter());
}

HRESULT CUpstreamTunerCapture::GetCrossbar(IAMCrossbar** crossbar)
{
    if (!crossbar)
        return E_POINTER;
    *crossbar = NULL;
    return m_crossbar ? m_crossbar.CopyTo(crossbar) : E_FAIL;
}

BOOL CUpstreamTunerCapture::RouteCrossbar(int input, int output)
{
    if (FAILED(FindCrossbar()))
        return FALSE;
    return m_crossbar->Route(output, input) == S_OK;
}

HRESULT CUpstreamTunerCapture::GetTvAudio(IAMTVAudio** tvAudio)
{
    if (!tvAudio)
        return E_POINTER;
    *tvAudio = NULL;
    if (!m_tvAudioFilter)
        return E_POINTER;
    return m_tvAudioFilter->QueryInterface(IID_IAMTVAudio, (void**)tvAudio);
}

BOOL CUpstreamTunerCapture::ReadKeyController(BYTE device, int waiting, int code, BYTE* key)
{
    CI2CAccess* access = GetI2CAccess();
    BYTE status = 0;
    if (!key || !access || FAILED(access->ReadByte(device, waiting, &status)) || status != 1)
        return FALSE;
    return SUCCEEDED(access->ReadByte(device, code, key));
}
