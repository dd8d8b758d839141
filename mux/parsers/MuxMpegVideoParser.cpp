#include "MuxMpegVideoParser.h"

namespace
{

enum
{
    kPictureCode = 0x00,
    kSliceLast = 0xAF,
    kSequenceCode = 0xB3,
    kExtensionCode = 0xB5,
    kSequenceEndCode = 0xB7,
    kGroupCode = 0xB8,
    kSequenceExtension = 1,
    kPictureCodingExtension = 8,
    kFieldRepeatRateCode = 7
};

// Bytes of each header after its start code that hold the fields read here.
int HeaderBytes(uint8_t code)
{
    switch (code) {
    case kSequenceCode:
        return 8;
    case kExtensionCode:
        return 5;
    case kPictureCode:
        return 4;
    }
    return 0;
}

} // namespace

void MuxMpegVideoParser::Reset()
{
    MuxVideoParser::Reset();
    m_code = 0xFFFFFFFF;
    m_headerNeed = 0;
    m_carry.clear();
    m_mpeg2 = false;
    m_progressiveSequence = false;
    m_cadenceChosen = false;
}

void MuxMpegVideoParser::Discontinuity()
{
    m_code = 0xFFFFFFFF;
    m_headerNeed = 0;
    m_carry.clear();
}

HRESULT MuxMpegVideoParser::Parse(const uint8_t* data, int bytes, LONGLONG sampleStart)
{
    HRESULT hr = Write(data, bytes);
    if (FAILED(hr))
        return hr;
    m_sampleStart = sampleStart;
    for (int i = 0; i < bytes; ++i) {
        uint8_t b = data[i];
        ++m_position;
        if (m_headerNeed > 0) {
            m_carry.push_back(b);
            if (static_cast<int>(m_carry.size()) == m_headerNeed) {
                m_headerNeed = 0;
                ReadHeader();
            }
        }
        m_code = (m_code << 8) | b;
        if ((m_code & 0xFFFFFF00) == 0x00000100)
            StartCode(b, m_position - 4, i == bytes - 1);
    }
    return S_OK;
}

void MuxMpegVideoParser::StartCode(uint8_t code, LONGLONG prefix, bool lastInSample)
{
    // A start code inside a header being completed means the header was cut short.
    m_headerNeed = 0;
    m_carry.clear();
    switch (code) {
    case kSequenceCode:
        UnitHeader(prefix, MUX_UNIT_SEQUENCE_HEADER);
        break;
    case kGroupCode:
        UnitHeader(prefix, MUX_UNIT_GROUP_HEADER);
        GroupHeader();
        Aux(MUX_AUX_GROUP, nullptr, 0);
        break;
    case kPictureCode:
        PictureStart(prefix);
        break;
    case kSequenceEndCode:
        Aux(MUX_AUX_SEQUENCE_END, nullptr, 0);
        CloseUnit(prefix + 4);
        if (lastInSample) {
            Aux(MUX_AUX_END_AT_BOUNDARY, nullptr, 0);
            m_ended = true;
        }
        return;
    default:
        if (code > kSliceLast && code != kExtensionCode)
            return;
        break;
    }
    m_headerCode = code;
    m_headerNeed = HeaderBytes(code);
}

void MuxMpegVideoParser::ReadHeader()
{
    const uint8_t* h = m_carry.data();
    switch (m_headerCode) {
    case kSequenceCode:
        ReadSequenceHeader(h);
        break;
    case kExtensionCode:
        ReadExtension(h);
        break;
    case kPictureCode:
        ReadPictureHeader(h);
        break;
    }
    m_carry.clear();
}

void MuxMpegVideoParser::ReadSequenceHeader(const uint8_t* h)
{
    int rateCode = h[3] & 0x0F;
    uint32_t bitRate = (static_cast<uint32_t>(h[4]) << 10) | (h[5] << 2) | (h[6] >> 6);
    uint32_t bufferSize = ((h[6] & 0x1F) << 5) | (h[7] >> 3);
    SetFrameTicks(FrameTicksOfCode(rateCode), rateCode);
    MuxSequenceRecord record = {2, static_cast<uint32_t>(rateCode), 0, bitRate, 0, bufferSize};
    Aux(MUX_AUX_SEQUENCE, &record, sizeof(record));
}

void MuxMpegVideoParser::ReadExtension(const uint8_t* h)
{
    int id = h[0] >> 4;
    if (id == kSequenceExtension) {
        m_mpeg2 = true;
        m_progressiveSequence = (h[1] & 0x08) != 0;
    } else if (id == kPictureCodingExtension) {
        bool topFieldFirst = (h[3] & 0x80) != 0;
        bool repeatFirstField = (h[3] & 0x02) != 0;
        SetTopFieldFirst(topFieldFirst);
        // The cadence is chosen once, by the stream's first picture.
        if (!m_cadenceChosen) {
            m_cadenceChosen = true;
            SetFieldRepeat(m_mpeg2 && FrameRateCode() == kFieldRepeatRateCode && m_progressiveSequence &&
                           repeatFirstField);
        }
    }
}

void MuxMpegVideoParser::ReadPictureHeader(const uint8_t* h)
{
    int temporalReference = (h[0] << 2) | (h[1] >> 6);
    int codingType = (h[1] >> 3) & 7;
    uint32_t delay = (static_cast<uint32_t>(h[1] & 7) << 13) | (h[2] << 5) | (h[3] >> 3);
    SetPicture(codingType, temporalReference);
    MuxPictureRecord record = {static_cast<uint32_t>(codingType), static_cast<uint32_t>(temporalReference), 0,
                               delay};
    Aux(MUX_AUX_PICTURE, &record, sizeof(record));
}
