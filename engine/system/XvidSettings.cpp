#include "XvidSettings.h"

namespace {

const char kXvidKey[] = "Software\\GNU\\XviD";

enum XvidValue { kMode, kBitrate, kQuality, kQuant, kFourcc, kXvidValueCount };

// One value of the codec's key. The range and the missing value are in the unit handed
// out; scale turns that unit into the stored one (the bit rate is stored in bit/s).
struct XvidValueRecord
{
    const char* name;
    DWORD minimum;
    DWORD maximum;
    DWORD missing;
    DWORD scale;
};

// name, minimum, maximum, read when missing, scale
const XvidValueRecord kValues[] = {
    {"mode", 0, 2, 1, 1},
    {"rc_bitrate", 1, 10000, 1100, 1000},
    {"quality", 1, 100, 85, 1},
    {"quant", 1, 31, 7, 1},
    {"fourcc_used", 0, 2, 0, 1},
};
static_assert(sizeof(kValues) / sizeof(kValues[0]) == kXvidValueCount, "one record per value");

} // namespace

CXvidSettings::CXvidSettings()
{
    m_key.Open(HKEY_CURRENT_USER, kXvidKey);
}

CXvidSettings::~CXvidSettings()
{
}

BOOL CXvidSettings::Set(int value, DWORD number)
{
    const XvidValueRecord& record = kValues[value];
    if (number < record.minimum || number > record.maximum)
        return FALSE;
    return m_key.SetDWORD(record.name, number * record.scale) == ERROR_SUCCESS;
}

DWORD CXvidSettings::Get(int value)
{
    const XvidValueRecord& record = kValues[value];
    DWORD stored = 0;
    if (m_key.QueryDWORD(record.name, stored) != ERROR_SUCCESS)
        return record.missing;
    return stored / record.scale;
}

BOOL CXvidSettings::SetMode(DWORD mode)
{
    return Set(kMode, mode);
}

BOOL CXvidSettings::SetBitrate(DWORD kbps)
{
    return Set(kBitrate, kbps);
}

BOOL CXvidSettings::SetQuality(DWORD quality)
{
    return Set(kQuality, quality);
}

BOOL CXvidSettings::SetQuant(DWORD quant)
{
    return Set(kQuant, quant);
}

BOOL CXvidSettings::SetFourcc(DWORD fourcc)
{
    return Set(kFourcc, fourcc);
}

DWORD CXvidSettings::GetMode()
{
    return Get(kMode);
}

DWORD CXvidSettings::GetBitrate()
{
    return Get(kBitrate);
}

DWORD CXvidSettings::GetQuality()
{
    return Get(kQuality);
}

DWORD CXvidSettings::GetQuant()
{
    return Get(kQuant);
}

DWORD CXvidSettings::GetFourcc()
{
    return Get(kFourcc);
}

// Differs from what missing values read as: mode 2 and FourCC 2 here, 1 and 0 there.
BOOL CXvidSettings::SetDefaults()
{
    SetMode(2);
    SetBitrate(1100);
    SetQuality(85);
    SetQuant(7);
    return SetFourcc(2);
}
