#include "AcmWrapperFilter.h"

#include "FilterClassRecord.h"
#include "GraphBuilder.h"

// The record joins the registration list with the class: a program that makes this wrapper
// links this file.
static const CLSID CLSID_AcmWrapper = {0x6A08CF80, 0x0E18, 0x11CF, {0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67}};
static CFilterClassRecord s_acmWrapper(&CLSID_AcmWrapper, NULL, "ACM Wrapper",
                                       CFilterClassRecord::CreateWrapper<CAcmWrapperFilter>);

CAcmWrapperFilter::CAcmWrapperFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CAcmWrapperFilter::CAcmWrapperFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                     int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

BOOL CAcmWrapperFilter::Init()
{
    m_streamConfig.Reset();
    ICaptureGraphBuilder2* builder = GetGraph() ? GetGraph()->GetCaptureBuilder() : NULL;
    if (!CFilterWrapper::Init() || builder == NULL)
        return FALSE;
    return builder->FindInterface(&LOOK_DOWNSTREAM_ONLY, &MEDIATYPE_Audio, GetFilter(), IID_IAMStreamConfig,
                                  m_streamConfig.ReceiveVoid()) == S_OK;
}

BOOL CAcmWrapperFilter::FindAudioMediaType(CAmMediaType* type, DWORD samplesPerSec, WORD bitsPerSample)
{
    CFilterPin* output = FindFreePin(1, TRUE);
    CComRef<IEnumMediaTypes> types;
    if (type == NULL || output == NULL || FAILED(output->EnumMediaTypes(types.Receive())) || !types)
        return FALSE;
    AM_MEDIA_TYPE* candidate = NULL;
    while (types->Next(1, &candidate, NULL) == S_OK) {
        const WAVEFORMATEX* format = CAmMediaType::WaveFormatOf(*candidate);
        BOOL found = format && format->nSamplesPerSec == samplesPerSec && format->wBitsPerSample == bitsPerSample;
        HRESULT hr = found ? type->Set(*candidate) : S_OK;
        CAmMediaType::Delete(candidate);
        if (found)
            return SUCCEEDED(hr);
    }
    return FALSE;
}

BOOL CAcmWrapperFilter::SetAudioFormat(DWORD samplesPerSec, WORD bitsPerSample)
{
    CAmMediaType type;
    if (!m_streamConfig || !FindAudioMediaType(&type, samplesPerSec, bitsPerSample))
        return FALSE;
    return m_streamConfig->SetFormat(&type) == S_OK;
}
