#include "MuxVideoParser.h"

#include <math.h>

namespace
{

// 23.976, 24, 25, 29.97, 30, 50, 59.94 and 60 pictures per second.
const double kFrameTicksOfCode[9] = {0, 1126125, 1125000, 1080000, 900900, 900000, 540000, 450450, 450000};

} // namespace

double MuxVideoParser::FrameTicksOfCode(int code)
{
    return code >= 1 && code <= 8 ? kFrameTicksOfCode[code] : 0;
}

void MuxVideoParser::Reset()
{
    m_ended = false;
    m_position = 0;
    m_sampleStart = 0;
    m_frameTicks = 0;
    m_frameRateCode = 0;
    m_fieldRepeat = false;
    m_topFieldFirst = false;
    m_pictures = 0;
    m_groupPictures = 0;
    m_unitStart = 0;
    m_unitHasPicture = false;
    m_unitFlags = 0;
    m_headerPosition = -1;
    m_firstPictureSent = false;
}

void MuxVideoParser::UnitHeader(LONGLONG position, uint8_t flag)
{
    if (m_unitHasPicture)
        CloseUnit(position);
    m_unitFlags |= flag;
    if (m_headerPosition < 0)
        m_headerPosition = position;
}

void MuxVideoParser::PictureStart(LONGLONG position)
{
    if (m_unitHasPicture)
        CloseUnit(position);
    m_unitHasPicture = true;
    m_picturePosition = position;
    m_pictureN = m_pictures++;
    m_pictureK = m_groupPictures++;
    m_pictureSampleStart = m_sampleStart;
    m_codingType = 0;
    m_temporalReference = 0;
}

void MuxVideoParser::SetPicture(int codingType, int temporalReference)
{
    m_codingType = codingType;
    m_temporalReference = temporalReference;
}

void MuxVideoParser::SetFrameTicks(double ticks, int code)
{
    // Fixed by the first header that gives it.
    if (m_frameTicks > 0 || ticks <= 0)
        return;
    m_frameTicks = ticks;
    m_frameRateCode = code;
}

uint64_t MuxVideoParser::Cadence(LONGLONG count) const
{
    LONGLONG periods = (count / 2) * 5;
    if (count % 2)
        periods += m_topFieldFirst ? 3 : 2;
    return static_cast<uint64_t>(llround(periods * m_frameTicks));
}

void MuxVideoParser::Times(LONGLONG n, LONGLONG k, int r, uint64_t* decode, uint64_t* present) const
{
    LONGLONG shown = n + r - k;
    if (shown < 0)
        shown = 0;
    if (m_fieldRepeat) {
        *present = static_cast<uint64_t>(llround(2 * m_frameTicks)) + Cadence(shown);
        *decode = m_codingType == 3 ? *present : Cadence(n);
    } else {
        *present = static_cast<uint64_t>(llround((shown + 1) * m_frameTicks));
        *decode = m_codingType == 3 ? *present : static_cast<uint64_t>(llround(n * m_frameTicks));
    }
}

void MuxVideoParser::CloseUnit(LONGLONG end)
{
    if (m_unitHasPicture && end > m_unitStart) {
        MuxVideoUnit unit = {};
        unit.size = static_cast<uint32_t>(end - m_unitStart);
        unit.codingType = static_cast<uint16_t>(m_codingType ? m_codingType : 2);
        unit.flags = m_unitFlags;
        unit.codec = Codec();
        if (m_headerPosition >= 0 && m_picturePosition - m_headerPosition <= 0xFFFF)
            unit.headerDistance = static_cast<uint16_t>(m_picturePosition - m_headerPosition);
        if (m_codingType == 1 && (m_unitFlags & MUX_UNIT_GROUP_HEADER)) {
            double lead = m_temporalReference * m_frameTicks;
            unit.leadTime = lead < 4294967295.0 ? static_cast<uint32_t>(lead) : 0xFFFFFFFFu;
        }
        Times(m_pictureN, m_pictureK, m_temporalReference, &unit.decodeTime, &unit.presentTime);
        if (!m_firstPictureSent && m_syncClock)
            m_syncClock->SetVideoStart(m_pictureSampleStart - static_cast<LONGLONG>(unit.presentTime) / 27000 * 10000);
        m_firstPictureSent = true;
        Aux(MUX_AUX_VIDEO_UNIT, &unit, sizeof(unit));
    }
    m_unitStart = end;
    m_unitHasPicture = false;
    m_unitFlags = 0;
    m_headerPosition = -1;
}

HRESULT MuxVideoParser::EndOfStream()
{
    if (!m_ended)
        CloseUnit(m_position);
    return S_OK;
}
