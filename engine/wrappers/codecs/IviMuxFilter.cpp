#include "IviMuxFilter.h"

#include "CodecInterfaces.h"
#include "ComRef.h"

CIviMuxFilter::CIviMuxFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CIviMuxFilter::CIviMuxFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                             int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

BOOL CIviMuxFilter::Init()
{
    SetDynamicPins(TRUE);
    return CFilterWrapper::Init();
}

namespace
{
BOOL SetParams(IBaseFilter* filter, const LONG (*order)[2], int count, const LONG* words)
{
    CComRef<IIviParams> params;
    if (filter == NULL || FAILED(filter->QueryInterface(IID_IIviMuxParams, params.ReceiveVoid())))
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
const LONG MUX_ORDER[][2] = {
    { 515, 4 }, { 513, 0 }, { 514, 1 }, { 517, 3 }, { 516, 2 }, { 518, 5 },
};

void FillMuxPreset(LONG* words, LONG packSize, LONG type, LONG last)
{
    const LONG preset[CIviMuxFilter::kWords] = { packSize, 1, 1, 1, type, last };
    for (int i = 0; i < CIviMuxFilter::kWords; ++i)
        words[i] = preset[i];
}
}

BOOL CIviMuxFilter::SetMuxSettings(const LONG* words)
{
    if (words == NULL)
        return FALSE;
    return SetParams(GetFilter(), MUX_ORDER, sizeof(MUX_ORDER) / sizeof(MUX_ORDER[0]), words);
}

void IviMuxPresetVcd(LONG* words)
{
    FillMuxPreset(words, 2324, 2, 0);
}

void IviMuxPresetDvd(LONG* words)
{
    FillMuxPreset(words, 2048, 4, 1);
}

void IviMuxPresetSvcd(LONG* words)
{
    FillMuxPreset(words, 2324, 3, 1);
}

void IviMuxPresetMpeg1(LONG* words)
{
    FillMuxPreset(words, 2048, 0, 1);
}

void IviMuxPresetMpeg2(LONG* words)
{
    FillMuxPreset(words, 2048, 1, 1);
}
