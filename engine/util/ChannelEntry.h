#pragma once

#include <afx.h>

// One TV channel or FM station: a name, a frequency in kHz and the groups it belongs to.
// A channel in no group stays in its list file but is shown nowhere (the user deleted it).
class CChannelEntry
{
public:
    enum GroupBit { kAllChannels = 1, kFavorites = 2 };

    CChannelEntry();
    CChannelEntry(int frequency, const char* name, DWORD flags);
    // The default values when the text does not parse.
    explicit CChannelEntry(const char* text);
    virtual ~CChannelEntry();

    // "name,frequency,flags", or "name,frequency" with flags 1. FALSE, entry unchanged, for a
    // text that is too short or has no comma.
    virtual BOOL Parse(const char* text);
    CString Format() const;

    const CString& GetName() const { return m_name; }
    void SetName(const char* name) { m_name = name; }
    int GetFrequency() const { return m_frequency; }
    void SetFrequency(int frequency) { m_frequency = frequency; }
    DWORD GetFlags() const { return m_flags; }

    BOOL HasFlag(DWORD mask) const { return (m_flags & mask) != 0; }
    BOOL IsUngrouped() const { return m_flags == 0; }

    // Lists are ordered by frequency alone.
    bool operator<(const CChannelEntry& other) const { return m_frequency < other.m_frequency; }

private:
    // The groups are views the list builds from these flags: only the list changes them, so
    // that it can rebuild the views at once.
    friend class CChannelList;

    CString m_name;
    int m_frequency;
    DWORD m_flags;
};
