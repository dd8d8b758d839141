#include "CaptureEncoderFilter.h"

#include <string.h>

CCaptureEncoderFilter::CCaptureEncoderFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CCaptureEncoderFilter::CCaptureEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                             int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CCaptureEncoderFilter::~CCaptureEncoderFilter() = default;

BOOL CCaptureEncoderFilter::Init()
{
    m_encoder.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IGoMotionEncoder, m_encoder.ReceiveVoid()));
}

HRESULT CCaptureEncoderFilter::GetSettings(BYTE* record)
{
    return m_encoder ? m_encoder->GetSettings(record) : E_POINTER;
}

HRESULT CCaptureEncoderFilter::SetSettings(const BYTE* record)
{
    return m_encoder ? m_encoder->SetSettings(record) : E_POINTER;
}

HRESULT CCaptureEncoderFilter::SetOutputFile(const char* path)
{
    if (!m_encoder)
        return E_POINTER;
    WCHAR wide[MAX_PATH] = L"";
    if (path != NULL && MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0)
        return E_INVALIDARG;
    return m_encoder->SetOutputFile(wide);
}

HRESULT CCaptureEncoderFilter::Start()
{
    return m_encoder ? m_encoder->Start() : E_POINTER;
}

HRESULT CCaptureEncoderFilter::Stop()
{
    return m_encoder ? m_encoder->Stop() : E_POINTER;
}

HRESULT CCaptureEncoderFilter::Pause(BOOL pause)
{
    return m_encoder ? m_encoder->Pause(pause) : E_POINTER;
}

HRESULT CCaptureEncoderFilter::GetStatus(LONG* status)
{
    return m_encoder ? m_encoder->GetStatus(status) : E_POINTER;
}

HRESULT CCaptureEncoderFilter::GetParam(LONG id, LONG* value)
{
    return m_encoder ? m_encoder->GetParam(id, value) : E_POINTER;
}

HRESULT CCaptureEncoderFilter::SetParam(LONG id, LONG value)
{
    return m_encoder ? m_encoder->SetParam(id, value) : E_POINTER;
}

int CCaptureEncoderFilter::DefaultEncoderSettings(BYTE* record)
{
    // Word number and value; every other word is 0.
    static const DWORD WORDS[][2] = {
        { 0, 1 }, { 1, 1 }, { 2, 6 }, { 3, 3 }, { 4, 2520000 }, { 5, 3 }, { 6, 4 }, { 7, 8 }, { 8, 2 },
        { 9, 1 }, { 11, 1 }, { 12, 3 }, { 13, 44100 }, { 15, 1 }, { 16, 1 }, { 17, 6 }, { 18, 2 },
        { 19, 1 }, { 20, 2 }, { 21, 1 }, { 22, 999999999 }, { 23, 1 }, { 24, 32 }, { 25, 32 }, { 26, 16 },
        { 27, 16 }, { 30, 1 }, { 31, 720 }, { 32, 512 }, { 38, 1 }, { 43, 5 }, { 56, 1 },
    };
    memset(record, 0, kSettingsSize);
    for (const DWORD* word : WORDS)
        memcpy(record + 4 * word[0], &word[1], 4);
    const float frameRate = 30.0f;
    memcpy(record + 4 * 39, &frameRate, 4);
    return 0;
}
