#pragma once

#include "SimPicture.h"

#include <stddef.h>
#include <stdint.h>

#include <deque>
#include <vector>

// Decodes the MPEG-1/2 video elementary streams of CSimMpvEncoder: I pictures in full;
// a P or B picture repeats the last picture (the encoder makes none, another one might).
// The stream may arrive in pieces of any size.
class CSimMpvDecoder
{
public:
    void Feed(const uint8_t* data, size_t size);
    // Decodes what remains after the end of the stream.
    void Flush();
    // The next decoded picture in stream order.
    bool NextPicture(SimPicture& picture);
    void Reset();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsMpeg2() const { return m_mpeg2; }
    // Pictures whose slices could not be read whole (the picture is still given out).
    long Errors() const { return m_errors; }

private:
    void ProcessUnits(bool atEnd);
    void HandleUnit(uint8_t code, const uint8_t* body, size_t size);
    void ParseSequenceHeader(const uint8_t* body, size_t size);
    void ParseExtension(const uint8_t* body, size_t size);
    void StartPicture(const uint8_t* body, size_t size);
    void FinishPicture();
    void DecodeSlice(int row, const uint8_t* body, size_t size);
    bool DecodeBlock(class CSimBitReader& bits, int component, int quant, int& dcPredictor, float out[64]);
    void PutBlock(const float pixels[64], int mbx, int mby, int block);

    std::vector<uint8_t> m_buffer;
    int m_width = 0;
    int m_height = 0;
    bool m_mpeg2 = false;
    bool m_inPicture = false;
    bool m_intraPicture = false;
    bool m_haveLast = false;
    long m_errors = 0;
    SimPicture m_current;
    SimPicture m_last;
    std::deque<SimPicture> m_ready;
};
