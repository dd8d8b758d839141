#pragma once

#include <afx.h>

#include "RegistryKey.h"

// The MPEG-4 codec's own settings, which it reads from the current user's registry when a
// recording starts: mode, bit rate, quality, quantiser and FourCC choice, all REG_DWORD.
class CXvidSettings
{
public:
    // Opens the codec's key, creating it when missing. Without a key every setter fails and
    // every getter gives the value it gives for a missing entry.
    CXvidSettings();
    virtual ~CXvidSettings();

    // FALSE, nothing written, for a value outside the accepted range or a failed write.
    BOOL SetMode(DWORD mode);
    BOOL SetBitrate(DWORD kbps);
    BOOL SetQuality(DWORD quality);
    BOOL SetQuant(DWORD quant);
    BOOL SetFourcc(DWORD fourcc);

    DWORD GetMode();
    // Stored in bit/s, handed out in kbit/s (rounded down).
    DWORD GetBitrate();
    DWORD GetQuality();
    DWORD GetQuant();
    DWORD GetFourcc();

    // The values a new installation starts with; the result of the last write.
    BOOL SetDefaults();

private:
    CXvidSettings(const CXvidSettings&);
    CXvidSettings& operator=(const CXvidSettings&);

    BOOL Set(int value, DWORD number);
    DWORD Get(int value);

    CRegistryKey m_key;
};

// The program's one set of codec settings, which the recording pages edit; the program defines
// it among its other global objects.
extern CXvidSettings theXvidSettings;
