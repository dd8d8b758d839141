#pragma once

#include <windows.h>
#include <unknwn.h>

// The encoder's settings as the card's driver keeps them, one property each (see
// EncoderParameters.cpp for which), and the operations that read, write and dump them.

#pragma pack(push, 1)
// Property 42: the encoder's input filters.
struct PreFilterInfo
{
    DWORD dwDisableFilter;
    DWORD dwMedianFilter;
    DWORD dwMedianCoringLumaHi;
    DWORD dwMedianCoringLumaLo;
    DWORD dwMedianCoringChromaHi;
    DWORD dwMedianCoringChromaLo;
    DWORD dwLumaSpatialFlt;
    DWORD dwChromaSpatialFlt;
    DWORD dwDNRMode;
    DWORD dwDNRSpatialFltLevel;
    DWORD dwDNRTemporalFltLevel;
    DWORD dwDNRSmoothFactor;
    DWORD dwDNR_Ntlf_Max_Y;
    DWORD dwDNR_Ntlf_Max_UV;
    DWORD dwDNRTemporalMultFactor;
    DWORD dwDNRTemporalAddFactor;
    DWORD dwDNRSpatialMultFactor;
    DWORD dwDNRSpatialSubFactor;
    DWORD dwLumaNLTFLevel;
    DWORD dwLumaNLTFCoEffIndex;
    DWORD dwLumaNLTFCoEffValue;
    DWORD dwVIMZoneWidth;
    DWORD dwVIMZoneHeight;
    DWORD dwReserved1;
    DWORD dwReserved2;
    DWORD dwReserved3;
    DWORD dwReserved4;
};

// Property 1. The old bit-rate interface takes only the first kOldSize bytes.
struct EncoderBitrateBlock
{
    enum { kOldSize = 10 };

    BYTE bEncodingMode;
    BYTE unused[3];
    WORD wVideoBitrate;
    DWORD bVariance;
    DWORD dwMuxRate;
    DWORD dwVBRPadding;
};

struct EncoderParameters
{
    BYTE bStreamOutputMode;
    BYTE bVideoResolution;
    BYTE bEncodingMode;
    WORD wVideoBitrate;
    DWORD bVariance;
    DWORD dwMuxRate;
    DWORD dwVBRPadding;
    WORD wProperty6First;
    WORD wProperty6Second;
    BYTE bMPEGAudLayer;
    BYTE bAudioSamplingRate;
    BYTE bAudioDataRate;
    BYTE bAudioOutputMode;
    BYTE bCRCState;
    BYTE bGOPStructure;
    BYTE bAudioEncodingMode;
    DWORD bClosedGOP;
    DWORD dwStorageCap;
    PreFilterInfo preFilter;
    BYTE bVideoInMode;
    BYTE bTVEncodeFormat;
    BYTE bTVDecodeFormat;
    int nSharpness;
    int nBrightness;
    int nContrast;
    int nSaturation;
    int nHue;
    DWORD bInverseTel;
    BYTE bTransportOutputMode;
    DWORD dwReserved;
};
#pragma pack(pop)
static_assert(sizeof(PreFilterInfo) == 108, "pre-filter block");
static_assert(sizeof(EncoderBitrateBlock) == 18, "bit-rate block");
static_assert(sizeof(EncoderParameters) == 176, "encoder parameters");

// Stream types of bStreamOutputMode.
enum { kStreamMpeg1 = 2, kStreamDvd = 10, kStreamVcd = 11, kStreamSvcd = 12 };

// The storage object the caller passes along with the parameters: it keeps the storage
// capacity. Methods 3 and 4 keep the interface's slot order.
struct IEncoderStorage : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStorageCap(DWORD* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStorageCap(DWORD value) = 0;
};

// {43705740-5EF5-11D2-BE8A-001061B07491}
inline constexpr IID IID_IEncoderStorage = {0x43705740, 0x5EF5, 0x11D2, {0xBE, 0x8A, 0x00, 0x10, 0x61, 0xB0, 0x74, 0x91}};

void InitPreFilterInfo(PreFilterInfo* block);
BOOL SetPreFilterInfo(IUnknown* filter, PreFilterInfo* block);
BOOL GetPreFilterInfo(IUnknown* filter, PreFilterInfo* block);

// Each property is read or written only where the driver reports support for it; one it
// refuses leaves its field as it was. FALSE only when the filter has no IKsPropertySet, or
// (Get) when a storage object is given without the storage interface.
BOOL GetEncoderParameters(EncoderParameters* out, IUnknown* filter, IUnknown* storage, BOOL oldBitrateInterface);
BOOL SetEncoderParameters(EncoderParameters* parameters, IUnknown* filter, IUnknown* storage,
                          BOOL oldBitrateInterface);
// Without the pre-filter block and the storage object; the Set leaves out properties 54 and 50.
BOOL GetEncoderParametersB(EncoderParameters* out, IUnknown* filter, BOOL oldBitrateInterface);
BOOL SetEncoderParametersB(EncoderParameters* parameters, IUnknown* filter, BOOL oldBitrateInterface);

// One line per field into a new text file; FALSE when the file cannot be made.
BOOL DumpEncoderParameters(const EncoderParameters* parameters, const char* path);
