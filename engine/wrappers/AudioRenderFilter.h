#pragma once

#include "FilterWrapper.h"

// An audio renderer of the graph ("Audio Render"), with the user's 0 to 100 volume level
// and a mute on top of the renderer's volume in hundredths of a decibel (0 full, -10000
// silent). The level range spans -60 dB to 0 dB. The volume is kept here while muted, so
// unmuting brings the user's volume back.
class CAudioRenderFilter : public CFilterWrapper
{
public:
    enum { kSilent = -10000, kFull = 0, kLevelSpan = 6000, kMinRangeWidth = 11 };

    CAudioRenderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CAudioRenderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    // Unmutes (the renderer gets the kept volume back) before letting go of the renderer.
    ~CAudioRenderFilter() override;

    // Valid when the renderer reports its volume; it counts as muted at -10000.
    BOOL Init() override;

    // The kept volume, or its level when asLevel is set.
    BOOL GetVolume(long* value, BOOL asLevel);
    // A level (asLevel) or a raw volume. While muted it is only kept; otherwise the renderer
    // gets it first and it is kept only when the renderer took it. A value that is no volume
    // between -10000 and 0 (a level above the range's maximum) is refused.
    BOOL SetVolume(const long* value, BOOL asLevel);
    BOOL SetMute(BOOL on);
    // Asks the renderer, since another program may have changed its volume: a renderer at
    // -10000 is muted; one that is no longer muted lends its volume to the kept one.
    BOOL IsMuted(BOOL* muted);
    // Takes a range at least 11 levels wide and leaves a narrower one; returns the range's
    // maximum.
    long SetRange(long minimum, long maximum);

    long LevelToVolume(long level) const;
    long VolumeToLevel(long volume) const;

private:
    void InitFields();

    CComRef<IBasicAudio> m_basicAudio;
    long m_volume;
    long m_minLevel;
    long m_maxLevel;
    BOOL m_muted;
};
