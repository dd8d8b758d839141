#pragma once

#include "AudioRenderFilter.h"

// The DirectSound audio renderer ("Direct Sound Filter"): the same volume and mute as any
// audio renderer, and the reference clock the time-shift graph runs on.
class CDirectSoundFilter : public CAudioRenderFilter
{
public:
    CDirectSoundFilter(CGraphBuilder* graph, REFCLSID clsid);
    CDirectSoundFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    // Valid only with the renderer's clock as well.
    BOOL Init() override;

    IReferenceClock* GetReferenceClock() const { return m_clock.Get(); }

private:
    CComRef<IReferenceClock> m_clock;
};
