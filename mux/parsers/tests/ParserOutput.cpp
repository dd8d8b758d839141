#include "ParserOutput.h"

#include <string.h>

ParserOutput::ParserOutput() : m_stream{Free, nullptr, nullptr, Copy, nullptr, Aux, nullptr, nullptr, nullptr, this}
{
}

int ParserOutput::Free(MuxBufStream* stream)
{
    return static_cast<ParserOutput*>(stream->state)->room;
}

int ParserOutput::Copy(MuxBufStream* stream, uint8_t* data, int bytes)
{
    auto* self = static_cast<ParserOutput*>(stream->state);
    self->bytes.insert(self->bytes.end(), data, data + bytes);
    return bytes;
}

int ParserOutput::Aux(MuxBufStream* stream, int, uint32_t command, void* data, int length)
{
    auto* self = static_cast<ParserOutput*>(stream->state);
    const auto* begin = static_cast<const uint8_t*>(data);
    self->records.push_back({command, data ? std::vector<uint8_t>(begin, begin + length) : std::vector<uint8_t>()});
    return 0;
}

std::vector<MuxVideoUnit> ParserOutput::VideoUnits() const
{
    std::vector<MuxVideoUnit> units;
    for (const Record& record : records) {
        if (record.command == MUX_AUX_VIDEO_UNIT && record.data.size() == sizeof(MuxVideoUnit)) {
            MuxVideoUnit unit;
            memcpy(&unit, record.data.data(), sizeof(unit));
            units.push_back(unit);
        }
    }
    return units;
}

std::vector<MuxAudioUnit> ParserOutput::AudioUnits() const
{
    std::vector<MuxAudioUnit> units;
    for (const Record& record : records) {
        if (record.command == MUX_AUX_AUDIO_UNIT && record.data.size() == sizeof(MuxAudioUnit)) {
            MuxAudioUnit unit;
            memcpy(&unit, record.data.data(), sizeof(unit));
            units.push_back(unit);
        }
    }
    return units;
}

int ParserOutput::Count(uint32_t command) const
{
    int count = 0;
    for (const Record& record : records)
        count += record.command == command ? 1 : 0;
    return count;
}
