#include "IviAudioEncoderFilter.h"

#include "CodecInterfaces.h"
#include "ComRef.h"

CIviAudioEncoderFilter::CIviAudioEncoderFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
}

CIviAudioEncoderFilter::CIviAudioEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                               int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
}

namespace
{
BOOL SetParams(IBaseFilter* filter, const LONG (*order)[2], int count, const LONG* words)
{
    CComRef<IIviParams> params;
    if (filter == NULL || FAILED(filter->QueryInterface(IID_IIviAudioParams, params.ReceiveVoid())))
        return FALSE;
    for (int i = 0; i < count; ++i) {
        if (FAILED(params->SetParam(order[i][0], words[order[i][1]])))
            return FALSE;
    }
    return TRUE;
}
}

namespace
{
// Parameter and the settings word it takes, in the order they are sent.
const LONG AUDIO_ORDER[][2] = {
    { 258, 1 }, { 261, 0 }, { 264, 3 }, { 260, 2 }, { 259, 5 }, { 257, 4 },
};

void FillAudioPreset(LONG* words, LONG rate)
{
    const LONG preset[CIviAudioEncoderFilter::kWords] = { rate, 224, 100, 1, 2, 0 };
    for (int i = 0; i < CIviAudioEncoderFilter::kWords; ++i)
        words[i] = preset[i];
}
}

BOOL CIviAudioEncoderFilter::SetAudioSettings(const LONG* words)
{
    if (words == NULL)
        return FALSE;
    return SetParams(GetFilter(), AUDIO_ORDER, sizeof(AUDIO_ORDER) / sizeof(AUDIO_ORDER[0]), words);
}

void IviAudioPreset44k(LONG* words)
{
    FillAudioPreset(words, 44100);
}

void IviAudioPreset48k(LONG* words)
{
    FillAudioPreset(words, 48000);
}
