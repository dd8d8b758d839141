#pragma once

#include <dshow.h>
#include <mmreg.h>

// An AM_MEDIA_TYPE that owns its format block and pUnk. Usable wherever an
// AM_MEDIA_TYPE* is asked for. The static helpers work on plain AM_MEDIA_TYPEs that
// come from or go to other COM objects (task-allocator memory).
class CAmMediaType : public AM_MEDIA_TYPE
{
public:
    CAmMediaType();
    // A copy that could not allocate its format block is left empty (Valid() is false).
    CAmMediaType(const AM_MEDIA_TYPE& other);
    CAmMediaType(const CAmMediaType& other);
    CAmMediaType& operator=(const CAmMediaType& other);
    ~CAmMediaType();

    HRESULT Set(const AM_MEDIA_TYPE& other);
    void Clear();
    bool Valid() const { return cbFormat == 0 || pbFormat != nullptr; }

    // Replaces the format block with a copy of size bytes at data.
    HRESULT SetFormat(REFGUID formatType, const void* data, ULONG size);
    // MEDIATYPE_Video / subtype / FORMAT_VideoInfo, sample size from biSizeImage.
    HRESULT SetVideoInfo(REFGUID subtype, const VIDEOINFOHEADER& format);
    // MEDIATYPE_Audio / the tag's subtype / FORMAT_WaveFormatEx. A format other than PCM
    // must be followed in memory by its cbSize extra bytes, which are copied too.
    HRESULT SetWaveFormat(const WAVEFORMATEX& format);

    // The format block, or null when the format type differs or the block is too short.
    const VIDEOINFOHEADER* VideoInfo() const { return VideoInfoOf(*this); }
    const WAVEFORMATEX* WaveFormat() const { return WaveFormatOf(*this); }

    // Same major type, subtype, format type and format bytes.
    bool Equals(const AM_MEDIA_TYPE& other) const { return Equal(*this, other); }

    static HRESULT CopyInto(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source);
    // Frees the format block and pUnk, leaving the rest.
    static void FreeFormat(AM_MEDIA_TYPE& type);
    // A task-allocated copy, as IEnumMediaTypes::Next hands out; null when out of memory.
    static AM_MEDIA_TYPE* NewCopy(const AM_MEDIA_TYPE& source);
    // Frees a task-allocated AM_MEDIA_TYPE and its contents (null is allowed).
    static void Delete(AM_MEDIA_TYPE* type);

    static bool Equal(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);
    // True when every non-null GUID of the pattern equals the candidate's.
    static bool MatchesPattern(const AM_MEDIA_TYPE& candidate, const AM_MEDIA_TYPE& pattern);
    // A pattern with a null major type, subtype or format type.
    static bool IsPartial(const AM_MEDIA_TYPE& type);

    static const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type);
    static const WAVEFORMATEX* WaveFormatOf(const AM_MEDIA_TYPE& type);
};
