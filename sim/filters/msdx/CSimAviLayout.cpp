#include "CSimAviLayout.h"

#include <mmreg.h>
#include <string.h>

namespace
{
const DWORD AVIF_HASINDEX = 0x10;
const DWORD AVIF_ISINTERLEAVED = 0x100;
const DWORD AVIIF_KEYFRAME = 0x10;
// Where the 'movi' FOURCC sits: idx1 offsets count from there.
const DWORD MOVI_FOURCC = CSimAviLayout::MOVI_LIST + 8;

DWORD Fourcc(const char* text)
{
    return (DWORD)(BYTE)text[0] | (DWORD)(BYTE)text[1] << 8 | (DWORD)(BYTE)text[2] << 16 | (DWORD)(BYTE)text[3] << 24;
}

void Put32(std::vector<BYTE>& out, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back((BYTE)(value >> (8 * i)));
}

void Put16(std::vector<BYTE>& out, WORD value)
{
    out.push_back((BYTE)value);
    out.push_back((BYTE)(value >> 8));
}

void Set32(std::vector<BYTE>& out, size_t at, DWORD value)
{
    memcpy(&out[at], &value, 4);
}

// Starts a chunk or list; returns where its size goes, filled in by EndChunk.
size_t BeginChunk(std::vector<BYTE>& out, const char* id, const char* listType = nullptr)
{
    Put32(out, Fourcc(id));
    size_t at = out.size();
    Put32(out, 0);
    if (listType != nullptr)
        Put32(out, Fourcc(listType));
    return at;
}

void EndChunk(std::vector<BYTE>& out, size_t sizeAt)
{
    Set32(out, sizeAt, (DWORD)(out.size() - sizeAt - 4));
    if (out.size() % 2 != 0)
        out.push_back(0);
}

DWORD Gcd(DWORD a, DWORD b)
{
    while (b != 0) {
        DWORD t = a % b;
        a = b;
        b = t;
    }
    return a;
}
}

void CSimAviLayout::Reset(const std::vector<Stream>& streams)
{
    m_streams = streams;
    m_index.clear();
    m_end = FIRST_CHUNK;
}

DWORD CSimAviLayout::ChunkId(size_t s) const
{
    char id[5];
    const Stream& stream = m_streams[s];
    const char* kind = "wb";
    if (stream.video) {
        const BITMAPINFOHEADER* bmi = reinterpret_cast<const BITMAPINFOHEADER*>(stream.format.data());
        kind = bmi->biCompression == BI_RGB ? "db" : "dc";
    }
    id[0] = (char)('0' + s / 10 % 10);
    id[1] = (char)('0' + s % 10);
    id[2] = kind[0];
    id[3] = kind[1];
    id[4] = 0;
    return Fourcc(id);
}

bool CSimAviLayout::AddChunk(size_t s, const BYTE* data, DWORD size, bool keyFrame, std::vector<BYTE>& chunk,
                             LONGLONG* offset)
{
    DWORD padded = size + (size & 1);
    if (s >= m_streams.size() || m_end + 8 + padded + 16 * (LONGLONG)(m_index.size() + 1) + 8 > FILE_LIMIT)
        return false;
    chunk.clear();
    Put32(chunk, ChunkId(s));
    Put32(chunk, size);
    chunk.insert(chunk.end(), data, data + size);
    if (size & 1)
        chunk.push_back(0);
    *offset = m_end;
    Stream& stream = m_streams[s];
    bool uncompressed = stream.video &&
                        reinterpret_cast<const BITMAPINFOHEADER*>(stream.format.data())->biCompression == BI_RGB;
    DWORD flags = !stream.video || uncompressed || keyFrame ? AVIIF_KEYFRAME : 0;
    m_index.push_back({ ChunkId(s), flags, (DWORD)(m_end - MOVI_FOURCC), size });
    ++stream.chunks;
    stream.bytes += size;
    if (size > stream.largest)
        stream.largest = size;
    m_end += 8 + padded;
    return true;
}

void CSimAviLayout::BuildIndex(std::vector<BYTE>& index) const
{
    index.clear();
    size_t sizeAt = BeginChunk(index, "idx1");
    for (const IndexEntry& entry : m_index) {
        Put32(index, entry.id);
        Put32(index, entry.flags);
        Put32(index, entry.offset);
        Put32(index, entry.size);
    }
    EndChunk(index, sizeAt);
}

const CSimAviLayout::Stream* CSimAviLayout::FirstVideo() const
{
    for (const Stream& stream : m_streams) {
        if (stream.video)
            return &stream;
    }
    return nullptr;
}

void CSimAviLayout::StreamHeader(const Stream& stream, std::vector<BYTE>& out) const
{
    size_t list = BeginChunk(out, "LIST", "strl");
    size_t strh = BeginChunk(out, "strh");
    if (stream.video) {
        const BITMAPINFOHEADER* bmi = reinterpret_cast<const BITMAPINFOHEADER*>(stream.format.data());
        DWORD scale = stream.frameTime > 0 ? (DWORD)stream.frameTime : 400000;
        DWORD rate = 10000000;
        DWORD common = Gcd(scale, rate);
        Put32(out, Fourcc("vids"));
        Put32(out, bmi->biCompression);
        Put32(out, 0); // flags
        Put32(out, 0); // priority, language
        Put32(out, 0); // initial frames
        Put32(out, scale / common);
        Put32(out, rate / common);
        Put32(out, 0); // start
        Put32(out, stream.chunks);
        Put32(out, stream.largest);
        Put32(out, 0xFFFFFFFF); // quality
        Put32(out, 0);          // sample size
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, (WORD)bmi->biWidth);
        Put16(out, (WORD)(bmi->biHeight < 0 ? -bmi->biHeight : bmi->biHeight));
    } else {
        const WAVEFORMATEX* wave = reinterpret_cast<const WAVEFORMATEX*>(stream.format.data());
        DWORD block = wave->nBlockAlign ? wave->nBlockAlign : 1;
        Put32(out, Fourcc("auds"));
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, block);
        Put32(out, wave->nAvgBytesPerSec);
        Put32(out, 0);
        Put32(out, (DWORD)(stream.bytes / block));
        Put32(out, stream.largest);
        Put32(out, 0xFFFFFFFF);
        Put32(out, block);
        Put32(out, 0);
        Put32(out, 0);
    }
    EndChunk(out, strh);
    size_t strf = BeginChunk(out, "strf");
    out.insert(out.end(), stream.format.begin(), stream.format.end());
    EndChunk(out, strf);
    EndChunk(out, list);
}

void CSimAviLayout::BuildHeaders(std::vector<BYTE>& headers) const
{
    headers.clear();
    LONGLONG fileEnd = m_end + 8 + 16 * (LONGLONG)m_index.size();
    Put32(headers, Fourcc("RIFF"));
    Put32(headers, (DWORD)(fileEnd - 8));
    Put32(headers, Fourcc("AVI "));

    const Stream* video = FirstVideo();
    const BITMAPINFOHEADER* bmi =
        video != nullptr ? reinterpret_cast<const BITMAPINFOHEADER*>(video->format.data()) : nullptr;
    DWORD largest = 0;
    LONGLONG bytes = 0;
    for (const Stream& stream : m_streams) {
        largest = stream.largest > largest ? stream.largest : largest;
        bytes += stream.bytes;
    }
    size_t hdrl = BeginChunk(headers, "LIST", "hdrl");
    size_t avih = BeginChunk(headers, "avih");
    DWORD frameUs = video != nullptr ? (DWORD)(video->frameTime / 10) : 0;
    Put32(headers, frameUs);
    LONGLONG seconds100ns = video != nullptr ? video->frameTime * video->chunks : 0;
    Put32(headers, seconds100ns > 0 ? (DWORD)(bytes * 10000000 / seconds100ns) : 0);
    Put32(headers, 0); // padding granularity
    Put32(headers, AVIF_HASINDEX | AVIF_ISINTERLEAVED);
    Put32(headers, video != nullptr ? video->chunks : 0);
    Put32(headers, 0); // initial frames
    Put32(headers, (DWORD)m_streams.size());
    Put32(headers, largest);
    Put32(headers, bmi != nullptr ? (DWORD)bmi->biWidth : 0);
    Put32(headers, bmi != nullptr ? (DWORD)(bmi->biHeight < 0 ? -bmi->biHeight : bmi->biHeight) : 0);
    for (int i = 0; i < 4; ++i)
        Put32(headers, 0);
    EndChunk(headers, avih);
    for (const Stream& stream : m_streams)
        StreamHeader(stream, headers);
    EndChunk(headers, hdrl);

    size_t junk = BeginChunk(headers, "JUNK");
    headers.resize(MOVI_LIST, 0);
    Set32(headers, junk, (DWORD)(MOVI_LIST - junk - 4));
    Put32(headers, Fourcc("LIST"));
    Put32(headers, (DWORD)(m_end - MOVI_LIST - 8));
    Put32(headers, Fourcc("movi"));
}
