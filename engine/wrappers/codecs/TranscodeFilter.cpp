#include "TranscodeFilter.h"

CTranscodeFilter::CTranscodeFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CTranscodeFilter::CTranscodeFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                   int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CTranscodeFilter::~CTranscodeFilter() = default;

BOOL CTranscodeFilter::Init()
{
    m_transcode.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IGoMotionTranscode, m_transcode.ReceiveVoid()));
}

HRESULT CTranscodeFilter::SetInputFile(const char* path)
{
    if (!m_transcode)
        return E_POINTER;
    WCHAR wide[MAX_PATH] = L"";
    if (path != NULL && MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0)
        return E_INVALIDARG;
    return m_transcode->SetInputFile(wide);
}

HRESULT CTranscodeFilter::GetSettings(BYTE* record)
{
    return m_transcode ? m_transcode->GetSettings(record) : E_POINTER;
}

HRESULT CTranscodeFilter::SetSettings(const BYTE* record)
{
    return m_transcode ? m_transcode->SetSettings(record) : E_POINTER;
}

HRESULT CTranscodeFilter::Start()
{
    return m_transcode ? m_transcode->Start() : E_POINTER;
}

HRESULT CTranscodeFilter::Stop()
{
    return m_transcode ? m_transcode->Stop() : E_POINTER;
}

HRESULT CTranscodeFilter::GetProgress(LONG* percent)
{
    return m_transcode ? m_transcode->GetProgress(percent) : E_POINTER;
}
