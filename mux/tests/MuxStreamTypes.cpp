#include "MuxStreamTypes.h"

#include "MuxGuids.h"

#include <dvdmedia.h>
#include <mmreg.h>
#include <string.h>

#include <string>
#include <vector>

CAmMediaType Mpeg2Video()
{
    MPEG2VIDEOINFO info = {};
    info.hdr.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.hdr.bmiHeader.biWidth = 352;
    info.hdr.bmiHeader.biHeight = 288;
    info.hdr.AvgTimePerFrame = 400000;
    CAmMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_MPEG2_VIDEO;
    type.SetFormat(FORMAT_MPEG2Video, &info, sizeof(info));
    return type;
}

CAmMediaType Mpeg1Video()
{
    MPEG1VIDEOINFO info = {};
    info.hdr.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.hdr.bmiHeader.biWidth = 352;
    info.hdr.bmiHeader.biHeight = 288;
    CAmMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_MPEG1Payload;
    type.SetFormat(FORMAT_MPEGVideo, &info, sizeof(info));
    return type;
}

CAmMediaType H264Video()
{
    CAmMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_H264Video;
    VIDEOINFOHEADER info = {};
    type.SetFormat(MEDIASUBTYPE_H264Video, &info, sizeof(info));
    return type;
}

CAmMediaType Audio(const GUID& subtype, WORD tag, DWORD rate, WORD bits, WORD channels)
{
    WAVEFORMATEX wave = {};
    wave.wFormatTag = tag;
    wave.nSamplesPerSec = rate;
    wave.wBitsPerSample = bits;
    wave.nChannels = channels;
    wave.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    wave.nAvgBytesPerSec = rate * wave.nBlockAlign;
    CAmMediaType type;
    type.majortype = MEDIATYPE_Audio;
    type.subtype = subtype;
    type.SetFormat(FORMAT_WaveFormatEx, &wave, sizeof(wave));
    return type;
}

CAmMediaType Mp2()
{
    return Audio(MEDIASUBTYPE_MPEG1AudioPayload, WAVE_FORMAT_MPEG, 48000, 0, 2);
}

CAmMediaType Ac3()
{
    return Audio(MEDIASUBTYPE_DOLBY_AC3, WAVE_FORMAT_DOLBY_AC3_SPDIF, 48000, 0, 2);
}

CAmMediaType Pcm(DWORD rate, WORD bits, WORD channels)
{
    return Audio(MEDIASUBTYPE_PCM, WAVE_FORMAT_PCM, rate, bits, channels);
}

CAmMediaType Aac(WORD tag, WORD extra)
{
    std::vector<BYTE> block(sizeof(WAVEFORMATEX) + 22, 0);
    auto* wave = reinterpret_cast<WAVEFORMATEX*>(block.data());
    wave->wFormatTag = tag;
    wave->nSamplesPerSec = 48000;
    wave->nChannels = 2;
    wave->cbSize = extra;
    block[sizeof(WAVEFORMATEX)] = 0x11;
    block[sizeof(WAVEFORMATEX) + 1] = 0x90;
    CAmMediaType type;
    type.majortype = MEDIATYPE_Audio;
    type.subtype = MEDIASUBTYPE_WaveA106;
    type.SetFormat(FORMAT_WaveFormatEx, block.data(), static_cast<ULONG>(block.size()));
    return type;
}

bool StreamTypeOfFile(const char* path, CAmMediaType* type)
{
    const char* dot = strrchr(path, '.');
    std::string extension = dot ? dot + 1 : "";
    for (char& c : extension)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    const struct
    {
        const char* extension;
        CAmMediaType (*make)();
    } kForms[] = {
        {"m2v", Mpeg2Video}, {"mpv", Mpeg2Video}, {"m1v", Mpeg1Video}, {"264", H264Video}, {"h264", H264Video},
        {"mp2", Mp2},        {"mpa", Mp2},        {"ac3", Ac3},        {"pcm", [] { return Pcm(); }},
        {"aac", [] { return Aac(); }},
    };
    for (const auto& form : kForms) {
        if (extension == form.extension) {
            *type = form.make();
            return true;
        }
    }
    return false;
}
