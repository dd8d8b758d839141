#include "IviVideoEncoderFilter.h"

#include "CodecInterfaces.h"
#include "ComRef.h"

#include <string.h>

CIviVideoEncoderFilter::CIviVideoEncoderFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
}

CIviVideoEncoderFilter::CIviVideoEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                               int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
}

namespace
{
// Parameter and the settings word it carries, in the order they are set; parameter 20 is
// set to 1 last and not read back.
const LONG VIDEO_ORDER[][2] = {
    { 5, 12 }, { 7, 14 }, { 8, 15 }, { 13, 2 }, { 14, 3 }, { 11, 0 }, { 12, 1 }, { 9, 6 },
    { 6, 13 }, { 18, 16 }, { 3, 4 }, { 4, 5 }, { 10, 9 }, { 16, 10 }, { 17, 7 }, { 19, 8 },
};
const LONG FINAL_PARAM = 20;

struct VideoPreset
{
    LONG gop25, gop30, word1, word23, width, height25, height30, rate, maxRate, word8, word9, word10;
    LONG word13, word15, word16;
};

// gop 25/30 fps, word 1, words 2-3, width, height 25/30 fps, rate, max rate, words 8-10, 13, 15, 16
const VideoPreset VCD = { 12, 15, 3, 16, 352, 288, 240, 1120, 9800, 112, 1, 2, 2, 0, 0 };
const VideoPreset DVD = { 6, 6, 3, 5, 720, 576, 480, 4500, 9800, 112, 1, 2, 2, 1, 2 };
const VideoPreset SVCD = { 12, 15, 3, 8, 480, 576, 480, 2200, 9800, 112, 1, 2, 2, 1, 2 };
const VideoPreset MPEG1 = { 12, 15, 3, 5, 352, 288, 240, 4500, 9800, 112, 1, 2, 2, 0, 0 };
const VideoPreset MPEG2 = { 6, 6, 3, 5, 720, 576, 480, 4500, 9800, 112, 1, 2, 2, 1, 2 };

BOOL FillVideoPreset(const VideoPreset& preset, int variant, LONG* words)
{
    if (variant != 1 && variant != 2)
        return FALSE;
    bool at25 = variant == 1;
    memset(words, 0, sizeof(LONG) * CIviVideoEncoderFilter::kWords);
    words[0] = at25 ? preset.gop25 : preset.gop30;
    words[1] = preset.word1;
    words[2] = words[3] = preset.word23;
    words[4] = preset.width;
    words[5] = at25 ? preset.height25 : preset.height30;
    words[6] = preset.rate;
    words[7] = preset.maxRate;
    words[8] = preset.word8;
    words[9] = preset.word9;
    words[10] = preset.word10;
    words[12] = at25 ? 3 : 4;
    words[13] = preset.word13;
    words[14] = at25 ? 1 : 2;
    words[15] = preset.word15;
    words[16] = preset.word16;
    return TRUE;
}

BOOL WithParams(IBaseFilter* filter, CComRef<IIviParams>& params)
{
    return filter != NULL && SUCCEEDED(filter->QueryInterface(IID_IIviVideoParams, params.ReceiveVoid()));
}
}

BOOL CIviVideoEncoderFilter::SetVideoSettings(const LONG* words)
{
    CComRef<IIviParams> params;
    if (words == NULL || !WithParams(GetFilter(), params))
        return FALSE;
    for (const LONG* entry : VIDEO_ORDER) {
        if (FAILED(params->SetParam(entry[0], words[entry[1]])))
            return FALSE;
    }
    return SUCCEEDED(params->SetParam(FINAL_PARAM, 1));
}

BOOL CIviVideoEncoderFilter::GetVideoSettings(LONG* words)
{
    CComRef<IIviParams> params;
    if (words == NULL || !WithParams(GetFilter(), params))
        return FALSE;
    for (const LONG* entry : VIDEO_ORDER) {
        if (FAILED(params->GetParam(entry[0], &words[entry[1]])))
            return FALSE;
    }
    return TRUE;
}

BOOL IviVideoPresetVcd(int variant, LONG* words)
{
    return FillVideoPreset(VCD, variant, words);
}

BOOL IviVideoPresetDvd(int variant, BOOL highRate, LONG* words)
{
    if (!FillVideoPreset(DVD, variant, words))
        return FALSE;
    if (highRate)
        words[6] = 7200;
    return TRUE;
}

BOOL IviVideoPresetSvcd(int variant, LONG* words)
{
    return FillVideoPreset(SVCD, variant, words);
}

BOOL IviVideoPresetMpeg1(int variant, LONG* words)
{
    return FillVideoPreset(MPEG1, variant, words);
}

BOOL IviVideoPresetMpeg2(int variant, LONG* words)
{
    return FillVideoPreset(MPEG2, variant, words);
}
