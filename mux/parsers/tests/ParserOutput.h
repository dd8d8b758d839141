#pragma once

#include "muxlib.h"

#include <stdint.h>

#include <string>
#include <vector>

// An input buffer's writing face that keeps what a parser puts into it: the bytes, and each
// auxiliary command with its data, in order.
class ParserOutput
{
public:
    struct Record
    {
        uint32_t command;
        std::vector<uint8_t> data;
    };

    ParserOutput();

    MuxBufStream* Stream() { return &m_stream; }

    std::vector<uint8_t> bytes;
    std::vector<Record> records;
    // What freeSpace answers.
    int room = 1 << 24;

    std::vector<MuxVideoUnit> VideoUnits() const;
    std::vector<MuxAudioUnit> AudioUnits() const;
    int Count(uint32_t command) const;

private:
    static int Free(MuxBufStream* stream);
    static int Copy(MuxBufStream* stream, uint8_t* data, int bytes);
    static int Aux(MuxBufStream* stream, int offset, uint32_t command, void* data, int length);

    MuxBufStream m_stream;
};
