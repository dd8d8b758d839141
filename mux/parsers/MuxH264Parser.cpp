#include "MuxH264Parser.h"

#include "MuxBitReader.h"

#include <math.h>

namespace
{

enum
{
    kNalSlice = 1,
    kNalSlicePartA = 2,
    kNalIdr = 5,
    kNalSps = 7,
    kNalEndOfSequence = 10,
    kDefaultBitRate = 3000000
};

const char kNoVui[] = "Warning: VUI Parameters not present, using default timing and bitrate for seq_start_info! \n";
const char kNoTiming[] = "Error: VUI Parameters timing info not present, using default timing! \n";
const char kNoHrd[] =
    "Warning - nal_hrd_parameters not present in VUI, using default video bitrate 3Mbit for seq_start_info \n";

bool BeginsUnit(int type)
{
    return (type >= 6 && type <= 9) || (type >= 13 && type <= 18);
}

bool IsSlice(int type)
{
    return type == kNalSlice || type == kNalSlicePartA || type == kNalIdr;
}

// The profiles whose parameter sets carry the chroma format, bit depths and scaling lists.
bool HasChromaFields(int profile)
{
    switch (profile) {
    case 100: case 110: case 122: case 244: case 44: case 83: case 86: case 118: case 128: case 138: case 139:
    case 134: case 135:
        return true;
    }
    return false;
}

void SkipScalingList(MuxBitReader& bits, int size)
{
    int last = 8, next = 8;
    for (int j = 0; j < size; ++j) {
        if (next != 0)
            next = (last + bits.Signed() + 256) % 256;
        last = next == 0 ? last : next;
    }
}

// The frame-rate code nearest to a rate, as MPEG video numbers them.
int RateCode(double rate)
{
    switch (static_cast<int>(lround(rate))) {
    case 24:
        return rate < 24 ? 1 : 2;
    case 25:
        return 3;
    case 30:
        return rate < 30 ? 4 : 5;
    case 50:
        return 6;
    case 60:
        return rate < 60 ? 7 : 8;
    }
    return 0;
}

void PrintToDebugger(const char* text)
{
    OutputDebugStringA(text);
}

} // namespace

void MuxH264Parser::Reset()
{
    MuxVideoParser::Reset();
    Discontinuity();
    m_lastSps.clear();
    m_sps = Sps();
    m_haveSps = false;
    m_width = m_height = 0;
    m_bitRate = m_bufferSize = 0;
    m_rateCode = 0;
    m_prevPocMsb = m_prevPocLsb = 0;
}

void MuxH264Parser::Discontinuity()
{
    m_code = 0xFFFFFFFF;
    m_nalPosition = -1;
    m_nalNeed = 0;
    m_carry.clear();
}

HRESULT MuxH264Parser::Parse(const uint8_t* data, int bytes, LONGLONG sampleStart)
{
    HRESULT hr = Write(data, bytes);
    if (FAILED(hr))
        return hr;
    m_sampleStart = sampleStart;
    for (int i = 0; i < bytes; ++i) {
        uint8_t b = data[i];
        ++m_position;
        if (m_nalNeed > 0) {
            m_carry.push_back(b);
            if (m_carry.size() == 1) {
                int type = b & 0x1F;
                m_nalNeed = type == kNalSps ? kCarryBytes : IsSlice(type) ? kSliceHeaderBytes : 1;
                if (type == kNalEndOfSequence) {
                    m_nalNeed = 0;
                    m_carry.clear();
                    Aux(MUX_AUX_SEQUENCE_END, nullptr, 0);
                    CloseUnit(m_position);
                    if (i == bytes - 1) {
                        Aux(MUX_AUX_END_AT_BOUNDARY, nullptr, 0);
                        m_ended = true;
                    }
                }
            }
            if (m_nalNeed > 0 && static_cast<int>(m_carry.size()) >= m_nalNeed)
                NalDone();
        }
        m_code = (m_code << 8) | b;
        if ((m_code & 0x00FFFFFF) == 0x000001)
            NalStart(m_position - 3, i == bytes - 1);
    }
    return S_OK;
}

void MuxH264Parser::NalStart(LONGLONG prefix, bool)
{
    // The unit before ends here: its last bytes were this start code's zeros.
    if (m_nalNeed > 0 && m_carry.size() >= 2) {
        m_carry.resize(m_carry.size() - 2);
        while (!m_carry.empty() && m_carry.back() == 0)
            m_carry.pop_back();
        if (!m_carry.empty())
            NalDone();
    }
    m_carry.clear();
    m_nalPosition = prefix;
    m_nalNeed = 1;
}

void MuxH264Parser::NalDone()
{
    m_nalNeed = 0;
    if (m_carry.empty())
        return;
    int header = m_carry[0];
    int type = header & 0x1F;
    int refIdc = (header >> 5) & 3;
    std::vector<uint8_t> payload = MuxBitReader::Unescape(m_carry.data() + 1, static_cast<int>(m_carry.size()) - 1);
    m_carry.clear();
    if (BeginsUnit(type)) {
        UnitHeader(m_nalPosition, type == kNalSps ? MUX_UNIT_SEQUENCE_HEADER : 0);
        if (type == kNalSps)
            ReadSps(payload);
    } else if (IsSlice(type)) {
        ReadSlice(payload, type == kNalIdr, refIdc);
    }
}

// A parameter set that repeats the last one changes nothing and says nothing again.
void MuxH264Parser::ReadSps(const std::vector<uint8_t>& payload)
{
    if (m_haveSps && payload == m_lastSps) {
        SendSequence();
        return;
    }
    m_lastSps = payload;
    MuxBitReader bits(payload.data(), static_cast<int>(payload.size()));
    Sps sps;
    int profile = static_cast<int>(bits.Bits(8));
    bits.Skip(16);
    bits.Unsigned();
    if (HasChromaFields(profile)) {
        uint32_t chroma = bits.Unsigned();
        if (chroma == 3)
            sps.separateColourPlane = bits.Flag();
        bits.Unsigned();
        bits.Unsigned();
        bits.Skip(1);
        if (bits.Flag()) {
            for (int i = 0; i < (chroma == 3 ? 12 : 8); ++i) {
                if (bits.Flag())
                    SkipScalingList(bits, i < 6 ? 16 : 64);
            }
        }
    }
    sps.frameNumBits = static_cast<int>(bits.Unsigned()) + 4;
    sps.pocType = static_cast<int>(bits.Unsigned());
    if (sps.pocType == 0) {
        sps.pocLsbBits = static_cast<int>(bits.Unsigned()) + 4;
    } else if (sps.pocType == 1) {
        bits.Skip(1);
        bits.Signed();
        bits.Signed();
        uint32_t cycle = bits.Unsigned();
        for (uint32_t i = 0; i < cycle && !bits.Overrun(); ++i)
            bits.Signed();
    }
    bits.Unsigned();
    bits.Skip(1);
    int widthMbs = static_cast<int>(bits.Unsigned()) + 1;
    int heightUnits = static_cast<int>(bits.Unsigned()) + 1;
    sps.frameMbsOnly = bits.Flag();
    if (!sps.frameMbsOnly)
        bits.Skip(1);
    bits.Skip(1);
    if (bits.Flag()) {
        for (int i = 0; i < 4; ++i)
            bits.Unsigned();
    }
    if (bits.Overrun() || sps.frameNumBits > 16 || sps.pocLsbBits > 16)
        return;
    m_sps = sps;
    m_haveSps = true;
    m_width = widthMbs * 16;
    m_height = heightUnits * (sps.frameMbsOnly ? 1 : 2) * 16;
    if (bits.Flag()) {
        ReadVui(bits);
    } else {
        bool pal = m_height == 288 || m_height == 576 || m_height == 1152 || m_height == 1536 || m_height == 2304;
        SetFrameTicks(pal ? 1080000 : 900900, pal ? 3 : 4);
        m_rateCode = pal ? 3 : 4;
        m_bitRate = kDefaultBitRate;
        (m_print ? m_print : PrintToDebugger)(kNoVui);
    }
    SendSequence();
}

void MuxH264Parser::ReadVui(MuxBitReader& bits)
{
    if (bits.Flag() && bits.Bits(8) == 255)
        bits.Skip(32);
    if (bits.Flag())
        bits.Skip(1);
    if (bits.Flag()) {
        bits.Skip(4);
        if (bits.Flag())
            bits.Skip(24);
    }
    if (bits.Flag()) {
        bits.Unsigned();
        bits.Unsigned();
    }
    DebugPrinter print = m_print ? m_print : PrintToDebugger;
    uint32_t unitsPerTick = 0, timeScale = 0;
    if (bits.Flag()) {
        unitsPerTick = bits.Bits(32);
        timeScale = bits.Bits(32);
        bits.Skip(1);
    }
    if (unitsPerTick && timeScale) {
        // A tick is a field: a frame lasts two of them.
        double rate = static_cast<double>(timeScale) / (2.0 * unitsPerTick);
        m_rateCode = RateCode(rate);
        SetFrameTicks(kClock / rate, m_rateCode);
    } else {
        bool pal = m_height == 288 || m_height == 576;
        m_rateCode = pal ? 3 : 4;
        SetFrameTicks(pal ? 1080000 : 900900, m_rateCode);
        print(kNoTiming);
    }
    if (bits.Flag()) {
        uint32_t count = bits.Unsigned() + 1;
        int rateScale = static_cast<int>(bits.Bits(4));
        int sizeScale = static_cast<int>(bits.Bits(4));
        uint32_t rateValue = bits.Unsigned();
        uint32_t sizeValue = bits.Unsigned();
        (void)count;
        m_bitRate = static_cast<uint32_t>((static_cast<uint64_t>(rateValue) + 1) << (6 + rateScale));
        m_bufferSize = static_cast<uint32_t>((static_cast<uint64_t>(sizeValue) + 1) << (4 + sizeScale));
    } else {
        m_bitRate = kDefaultBitRate;
        print(kNoHrd);
    }
}

void MuxH264Parser::SendSequence()
{
    MuxSequenceRecord record = {2, static_cast<uint32_t>(m_rateCode), 0, (m_bitRate + 399) / 400, 0,
                                (m_bufferSize + 16383) / 16384};
    Aux(MUX_AUX_SEQUENCE, &record, sizeof(record));
}

void MuxH264Parser::ReadSlice(const std::vector<uint8_t>& payload, bool idr, int refIdc)
{
    MuxBitReader bits(payload.data(), static_cast<int>(payload.size()));
    if (bits.Unsigned() != 0)
        return;
    PictureStart(m_nalPosition);
    uint32_t sliceType = bits.Unsigned() % 5;
    bits.Unsigned();
    if (m_sps.separateColourPlane)
        bits.Skip(2);
    bits.Skip(m_sps.frameNumBits);
    if (!m_sps.frameMbsOnly && bits.Flag())
        bits.Skip(1);
    if (idr) {
        bits.Unsigned();
        MarkUnit(MUX_UNIT_IDR);
        PictureOpensGroup();
        Aux(MUX_AUX_GROUP, nullptr, 0);
    }
    uint32_t lsb = m_sps.pocType == 0 ? bits.Bits(m_sps.pocLsbBits) : 0;
    // P, B, I, SP, SI as MPEG's coding types: SP counts as P and SI as I.
    static const int kCodingType[5] = {2, 3, 1, 2, 1};
    int codingType = kCodingType[sliceType];
    int order = PictureOrder(lsb, idr, refIdc);
    SetPicture(codingType, order);
    MuxPictureRecord record = {static_cast<uint32_t>(codingType), static_cast<uint32_t>(order), 0, 0};
    Aux(MUX_AUX_PICTURE, &record, sizeof(record));
}

// The picture's place in display order since the last IDR picture, in frames.
int MuxH264Parser::PictureOrder(uint32_t lsb, bool idr, int refIdc)
{
    if (idr) {
        m_prevPocMsb = 0;
        m_prevPocLsb = 0;
    }
    if (m_sps.pocType != 0)
        return static_cast<int>(PicturesSinceGroup());
    int maxLsb = 1 << m_sps.pocLsbBits;
    int value = static_cast<int>(lsb);
    int msb = m_prevPocMsb;
    if (value < m_prevPocLsb && m_prevPocLsb - value >= maxLsb / 2)
        msb += maxLsb;
    else if (value > m_prevPocLsb && value - m_prevPocLsb > maxLsb / 2)
        msb -= maxLsb;
    if (refIdc) {
        m_prevPocMsb = msb;
        m_prevPocLsb = value;
    }
    int order = (msb + value) / 2;
    return order < 0 ? 0 : order;
}

HRESULT MuxH264Parser::EndOfStream()
{
    if (m_nalNeed > 0) {
        while (!m_carry.empty() && m_carry.back() == 0)
            m_carry.pop_back();
        NalDone();
    }
    return MuxVideoParser::EndOfStream();
}
