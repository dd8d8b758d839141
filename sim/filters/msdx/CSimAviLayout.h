#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The bytes of an AVI 1.0 file as the multiplexer lays it out: RIFF 'AVI ', LIST 'hdrl'
// (avih, one strl per stream) padded by JUNK so that LIST 'movi' starts at 8192, the chunks
// in arrival order, then idx1. No I/O: the multiplexer writes what this gives, where it says.
// Not FFmpeg's AVI muxer: a run after a stop goes on after the last chunk over the index it
// wrote, where FFmpeg's ends the file with its trailer; and that muxer writes an OpenDML
// header and places 'movi' where its own reserve ends.
class CSimAviLayout
{
public:
    enum { MOVI_LIST = 8192, FIRST_CHUNK = MOVI_LIST + 12 };
    // A chunk that would take the file past 2 GiB - 1 is not taken.
    static const LONGLONG FILE_LIMIT = 0x7FFFFFFFLL;

    struct Stream
    {
        bool video;
        // Video: the BITMAPINFOHEADER; audio: the WAVEFORMATEX with its extra bytes.
        std::vector<BYTE> format;
        LONGLONG frameTime = 0;   // video, 100 ns
        DWORD chunks = 0;
        DWORD largest = 0;
        LONGLONG bytes = 0;
    };

    // Streams in pin order; the layout starts empty.
    void Reset(const std::vector<Stream>& streams);

    // Takes a chunk of stream s: its bytes (header, data, padding) go at *offset. false when
    // the file would pass the limit.
    bool AddChunk(size_t s, const BYTE* data, DWORD size, bool keyFrame, std::vector<BYTE>& chunk, LONGLONG* offset);
    // idx1, to go at the end of the chunks (IndexOffset), and the headers, to go at 0.
    void BuildIndex(std::vector<BYTE>& index) const;
    LONGLONG IndexOffset() const { return m_end; }
    void BuildHeaders(std::vector<BYTE>& headers) const;
    DWORD ChunkCount() const { return (DWORD)m_index.size(); }

private:
    struct IndexEntry
    {
        DWORD id;
        DWORD flags;
        DWORD offset;
        DWORD size;
    };

    DWORD ChunkId(size_t s) const;
    void StreamHeader(const Stream& stream, std::vector<BYTE>& out) const;
    const Stream* FirstVideo() const;

    std::vector<Stream> m_streams;
    std::vector<IndexEntry> m_index;
    LONGLONG m_end = FIRST_CHUNK;
};
