#pragma once

#include "MuxVideoParser.h"

#include <vector>

// MPEG-1 and MPEG-2 video: start codes of pictures, sequence headers, extensions, group
// headers and the sequence end. A header cut by the end of a sample is completed in the
// carry buffer from the next one.
class MuxMpegVideoParser : public MuxVideoParser
{
public:
    enum { kCarryBytes = 512 };

    void Reset() override;
    void Discontinuity() override;
    HRESULT Parse(const uint8_t* data, int bytes, LONGLONG sampleStart) override;

protected:
    uint16_t Codec() const override { return MUX_CODEC_MPEG_VIDEO; }

private:
    void StartCode(uint8_t code, LONGLONG prefix, bool lastInSample);
    void ReadHeader();
    void ReadSequenceHeader(const uint8_t* h);
    void ReadExtension(const uint8_t* h);
    void ReadPictureHeader(const uint8_t* h);

    uint32_t m_code = 0xFFFFFFFF;
    // The header being completed: its start code and the bytes after it.
    uint8_t m_headerCode = 0;
    int m_headerNeed = 0;
    std::vector<uint8_t> m_carry;
    bool m_mpeg2 = false;
    bool m_progressiveSequence = false;
    bool m_cadenceChosen = false;
};
