#include "AudioRenderFilter.h"

CAudioRenderFilter::CAudioRenderFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    InitFields();
    if (!Init())
        SetValid(FALSE);
}

CAudioRenderFilter::CAudioRenderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                       int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    InitFields();
    if (!Init())
        SetValid(FALSE);
}

void CAudioRenderFilter::InitFields()
{
    m_volume = kFull;
    m_minLevel = 0;
    m_maxLevel = 100;
    m_muted = FALSE;
}

CAudioRenderFilter::~CAudioRenderFilter()
{
    if (m_basicAudio)
        SetMute(FALSE);
}

BOOL CAudioRenderFilter::Init()
{
    InitFields();
    m_basicAudio.Reset();
    if (!CFilterWrapper::Init() ||
        FAILED(Check("QueryInterface IBasicAudio",
                     GetFilter()->QueryInterface(IID_IBasicAudio, m_basicAudio.ReceiveVoid()))))
        return FALSE;
    long volume = kFull;
    if (FAILED(Check("get_Volume", m_basicAudio->get_Volume(&volume))))
        return FALSE;
    m_volume = volume;
    m_muted = volume <= kSilent;
    return TRUE;
}

// The level's share of the range is rounded up to whole volume steps, so that the
// truncating way back (VolumeToLevel) gives the same level for any range up to 6000 wide.
long CAudioRenderFilter::LevelToVolume(long level) const
{
    LONGLONG above = (level > m_minLevel ? level : m_minLevel) - (LONGLONG)m_minLevel;
    LONGLONG width = (LONGLONG)m_maxLevel - m_minLevel;
    return (long)((above * kLevelSpan + width - 1) / width - kLevelSpan);
}

long CAudioRenderFilter::VolumeToLevel(long volume) const
{
    LONGLONG width = (LONGLONG)m_maxLevel - m_minLevel;
    return (long)(m_minLevel + width * ((LONGLONG)volume + kLevelSpan) / kLevelSpan);
}

BOOL CAudioRenderFilter::GetVolume(long* value, BOOL asLevel)
{
    if (value == NULL)
        return FALSE;
    *value = asLevel ? VolumeToLevel(m_volume) : m_volume;
    return TRUE;
}

BOOL CAudioRenderFilter::SetVolume(const long* value, BOOL asLevel)
{
    if (value == NULL || !m_basicAudio)
        return FALSE;
    long volume = asLevel ? LevelToVolume(*value) : *value;
    if (volume < kSilent || volume > kFull)
        return FALSE;
    if (!m_muted && FAILED(Check("put_Volume", m_basicAudio->put_Volume(volume))))
        return FALSE;
    m_volume = volume;
    return TRUE;
}

BOOL CAudioRenderFilter::SetMute(BOOL on)
{
    if (!m_basicAudio || FAILED(Check("put_Volume", m_basicAudio->put_Volume(on ? (long)kSilent : m_volume))))
        return FALSE;
    m_muted = on ? TRUE : FALSE;
    return TRUE;
}

BOOL CAudioRenderFilter::IsMuted(BOOL* muted)
{
    long volume = kFull;
    if (muted == NULL || !m_basicAudio || FAILED(Check("get_Volume", m_basicAudio->get_Volume(&volume))))
        return FALSE;
    BOOL now = volume <= kSilent;
    *muted = now;
    if (now != m_muted) {
        m_muted = now;
        if (!now)
            m_volume = volume;
    }
    return TRUE;
}

long CAudioRenderFilter::SetRange(long minimum, long maximum)
{
    if ((LONGLONG)maximum - minimum >= kMinRangeWidth) {
        m_minLevel = minimum;
        m_maxLevel = maximum;
    }
    return m_maxLevel;
}
