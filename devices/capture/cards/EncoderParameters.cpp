#include "EncoderParameters.h"

#include "ComRef.h"
#include "EncoderCardProperties.h"

#include <strmif.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>

namespace {

// How a property carries its field.
enum Carry
{
    kDwordCarry,    // one DWORD, the field's width of it
    kByteCarry,     // one byte
    kPairCarry,     // two DWORDs, each carrying one of two 16-bit fields
    kBitrateCarry,  // the bit-rate block
    kZeroCarry,     // eight zero bytes, no field
};

struct ParameterProperty
{
    DWORD id;
    Carry carry;
    size_t offset;
    size_t width;
};

#define FIELD(name) offsetof(EncoderParameters, name), sizeof(EncoderParameters::name)

const ParameterProperty kStreamOutputMode = {0, kDwordCarry, FIELD(bStreamOutputMode)};
const ParameterProperty kBitrate = {1, kBitrateCarry, 0, 0};
const ParameterProperty kVideoInMode = {2, kDwordCarry, FIELD(bVideoInMode)};
const ParameterProperty kVideoResolution = {3, kDwordCarry, FIELD(bVideoResolution)};
const ParameterProperty kTvEncodeFormat = {4, kDwordCarry, FIELD(bTVEncodeFormat)};
const ParameterProperty kAudioDataRate = {5, kByteCarry, FIELD(bAudioDataRate)};
const ParameterProperty kPair = {6, kPairCarry, FIELD(wProperty6First)};
const ParameterProperty kClosedGop = {7, kDwordCarry, FIELD(bClosedGOP)};
const ParameterProperty kAudioSamplingRate = {11, kDwordCarry, FIELD(bAudioSamplingRate)};
const ParameterProperty kAudioOutputMode = {12, kDwordCarry, FIELD(bAudioOutputMode)};
const ParameterProperty kCrcState = {13, kDwordCarry, FIELD(bCRCState)};
const ParameterProperty kInverseTel = {50, kDwordCarry, FIELD(bInverseTel)};
const ParameterProperty kTransportOutputMode = {54, kDwordCarry, FIELD(bTransportOutputMode)};
const ParameterProperty kTvDecodeFormat = {60, kDwordCarry, FIELD(bTVDecodeFormat)};
const ParameterProperty kProperty62 = {62, kZeroCarry, 0, 0};

#undef FIELD

// The driver takes the settings in these orders.
const ParameterProperty* const kGetOrder[] = {
    &kVideoInMode, &kTvEncodeFormat, &kTvDecodeFormat, &kInverseTel, &kStreamOutputMode, &kTransportOutputMode,
    &kVideoResolution, &kAudioSamplingRate, &kAudioOutputMode, &kAudioDataRate, &kCrcState, &kClosedGop, &kPair,
    &kBitrate,
};
const ParameterProperty* const kSetOrder[] = {
    &kStreamOutputMode, &kVideoResolution, &kTransportOutputMode, &kPair, &kAudioSamplingRate, &kAudioOutputMode,
    &kAudioDataRate, &kCrcState, &kClosedGop, &kBitrate, &kInverseTel, &kProperty62,
};
const ParameterProperty* const kSetOrderB[] = {
    &kStreamOutputMode, &kVideoResolution, &kPair, &kAudioSamplingRate, &kAudioOutputMode, &kAudioDataRate,
    &kCrcState, &kClosedGop, &kBitrate, &kProperty62,
};

const PreFilterInfo kPreFilterDefaults = {0, 0, 0, 255, 0, 255, 3, 1, 0, 0, 0, 200, 15, 15,
                                          48, 4, 21, 2, 0, 0, 0, 16, 2, 0, 0, 0, 0};

const char* const kPreFilterNames[] = {
    "dwDisableFilter", "dwMedianFilter", "dwMedianCoringLumaHi", "dwMedianCoringLumaLo",
    "dwMedianCoringChromaHi", "dwMedianCoringChromaLo", "dwLumaSpatialFlt", "dwChromaSpatialFlt",
    "dwDNRMode", "dwDNRSpatialFltLevel", "dwDNRTemporalFltLevel", "dwDNRSmoothFactor",
    "dwDNR_Ntlf_Max_Y", "dwDNR_Ntlf_Max_UV", "dwDNRTemporalMultFactor", "dwDNRTemporalAddFactor",
    "dwDNRSpatialMultFactor", "dwDNRSpatialSubFactor", "dwLumaNLTFLevel", "dwLumaNLTFCoEffIndex",
    "dwLumaNLTFCoEffValue", "dwVIMZoneWidth", "dwVIMZoneHeight", "dwReserved1",
    "dwReserved2", "dwReserved3", "dwReserved4",
};
static_assert(sizeof(kPreFilterNames) / sizeof(kPreFilterNames[0]) == sizeof(PreFilterInfo) / sizeof(DWORD),
              "a name for each pre-filter word");

BOOL HasPropertySet(IUnknown* filter)
{
    CComRef<IKsPropertySet> driver;
    return filter && SUCCEEDED(filter->QueryInterface(IID_IKsPropertySet, driver.ReceiveVoid())) && driver;
}

// The field's value widened to a DWORD, and back.
DWORD ReadField(const EncoderParameters* p, const ParameterProperty& property)
{
    DWORD value = 0;
    memcpy(&value, (const BYTE*)p + property.offset, property.width);
    return value;
}

void WriteField(EncoderParameters* p, const ParameterProperty& property, DWORD value)
{
    memcpy((BYTE*)p + property.offset, &value, property.width);
}

void GetProperty(EncoderParameters* p, IUnknown* filter, const ParameterProperty& property, BOOL old)
{
    switch (property.carry) {
    case kDwordCarry: {
        DWORD value = 0;
        if (GetCardProperty(filter, property.id, NULL, 0, &value, sizeof(value)))
            WriteField(p, property, value);
        break;
    }
    case kByteCarry: {
        BYTE value = 0;
        if (GetCardProperty(filter, property.id, NULL, 0, &value, sizeof(value)))
            WriteField(p, property, value);
        break;
    }
    case kPairCarry: {
        DWORD values[2] = {};
        if (GetCardProperty(filter, property.id, NULL, 0, values, sizeof(values))) {
            p->wProperty6First = (WORD)values[0];
            p->wProperty6Second = (WORD)values[1];
        }
        break;
    }
    case kBitrateCarry: {
        EncoderBitrateBlock block = {};
        DWORD size = old ? (DWORD)EncoderBitrateBlock::kOldSize : (DWORD)sizeof(block);
        if (GetCardProperty(filter, property.id, NULL, 0, &block, size)) {
            p->bEncodingMode = block.bEncodingMode;
            p->wVideoBitrate = block.wVideoBitrate;
            p->bVariance = block.bVariance;
            if (!old) {
                p->dwMuxRate = block.dwMuxRate;
                p->dwVBRPadding = block.dwVBRPadding;
            }
        }
        break;
    }
    case kZeroCarry:
        break;
    }
}

void SetProperty(const EncoderParameters* p, IUnknown* filter, const ParameterProperty& property, BOOL old)
{
    switch (property.carry) {
    case kDwordCarry: {
        DWORD value = ReadField(p, property);
        SetCardProperty(filter, property.id, NULL, 0, &value, sizeof(value));
        break;
    }
    case kByteCarry: {
        BYTE value = (BYTE)ReadField(p, property);
        SetCardProperty(filter, property.id, NULL, 0, &value, sizeof(value));
        break;
    }
    case kPairCarry: {
        DWORD values[2] = {p->wProperty6First, p->wProperty6Second};
        SetCardProperty(filter, property.id, NULL, 0, values, sizeof(values));
        break;
    }
    case kBitrateCarry: {
        EncoderBitrateBlock block = {p->bEncodingMode, {0, 0, 0}, p->wVideoBitrate, p->bVariance, p->dwMuxRate,
                                     p->dwVBRPadding};
        DWORD size = old ? (DWORD)EncoderBitrateBlock::kOldSize : (DWORD)sizeof(block);
        SetCardProperty(filter, property.id, NULL, 0, &block, size);
        break;
    }
    case kZeroCarry: {
        BYTE zeros[8] = {};
        SetCardProperty(filter, property.id, NULL, 0, zeros, sizeof(zeros));
        break;
    }
    }
}

void SetDefaults(EncoderParameters* p)
{
    memset(p, 0, sizeof(*p));
    p->bStreamOutputMode = kStreamDvd;
    p->bTVEncodeFormat = 1;
    p->bTVDecodeFormat = 1;
    p->bAudioSamplingRate = 1;
    p->bClosedGOP = 1;
    p->bInverseTel = 1;
    p->dwStorageCap = 2;
}

BOOL GetParameters(EncoderParameters* out, IUnknown* filter, BOOL old)
{
    if (!out || !HasPropertySet(filter))
        return FALSE;
    SetDefaults(out);
    for (const ParameterProperty* property : kGetOrder)
        GetProperty(out, filter, *property, old);
    return TRUE;
}

template <size_t N>
BOOL SetParameters(EncoderParameters* parameters, IUnknown* filter, const ParameterProperty* const (&order)[N],
                   BOOL old)
{
    if (!parameters || !HasPropertySet(filter))
        return FALSE;
    for (const ParameterProperty* property : order)
        SetProperty(parameters, filter, *property, old);
    return TRUE;
}

const char* StreamWord(BYTE type)
{
    switch (type) {
    case kStreamMpeg1:
        return "MPEG1";
    case kStreamDvd:
        return "DVD";
    case kStreamVcd:
        return "VCD";
    case kStreamSvcd:
        return "SVCD";
    }
    return "other";
}

} // namespace

void InitPreFilterInfo(PreFilterInfo* block)
{
    if (block)
        *block = kPreFilterDefaults;
}

BOOL SetPreFilterInfo(IUnknown* filter, PreFilterInfo* block)
{
    return block && SetCardPropertyBlock(filter, kEncoderPreFilterProperty, block, sizeof(*block));
}

BOOL GetPreFilterInfo(IUnknown* filter, PreFilterInfo* block)
{
    return block && GetCardPropertyBlock(filter, kEncoderPreFilterProperty, block, sizeof(*block));
}

BOOL GetEncoderParameters(EncoderParameters* out, IUnknown* filter, IUnknown* storage, BOOL oldBitrateInterface)
{
    if (!GetParameters(out, filter, oldBitrateInterface))
        return FALSE;
    GetPreFilterInfo(filter, &out->preFilter);
    if (!storage)
        return TRUE;
    CComRef<IEncoderStorage> store;
    if (FAILED(storage->QueryInterface(IID_IEncoderStorage, store.ReceiveVoid())) || !store)
        return FALSE;
    DWORD capacity = out->dwStorageCap;
    store->GetStorageCap(&capacity);
    out->dwStorageCap = capacity;
    return TRUE;
}

BOOL SetEncoderParameters(EncoderParameters* parameters, IUnknown* filter, IUnknown* storage,
                          BOOL oldBitrateInterface)
{
    if (!SetParameters(parameters, filter, kSetOrder, oldBitrateInterface))
        return FALSE;
    CComRef<IEncoderStorage> store;
    if (storage && SUCCEEDED(storage->QueryInterface(IID_IEncoderStorage, store.ReceiveVoid())) && store)
        store->SetStorageCap(parameters->dwStorageCap);
    return TRUE;
}

BOOL GetEncoderParametersB(EncoderParameters* out, IUnknown* filter, BOOL oldBitrateInterface)
{
    return GetParameters(out, filter, oldBitrateInterface);
}

BOOL SetEncoderParametersB(EncoderParameters* parameters, IUnknown* filter, BOOL oldBitrateInterface)
{
    return SetParameters(parameters, filter, kSetOrderB, oldBitrateInterface);
}

BOOL DumpEncoderParameters(const EncoderParameters* p, const char* path)
{
    FILE* file = p && path ? fopen(path, "w") : NULL;
    if (!file)
        return FALSE;
    fprintf(file, "Mode = %s\n", StreamWord(p->bStreamOutputMode));
    const struct { const char* format; long value; } lines[] = {
        {"bVideoInMode = %d\n", p->bVideoInMode},
        {"bTVEncodeFormat = %d\n", p->bTVEncodeFormat},
        {"bTVDecodeFormat = %d\n", p->bTVDecodeFormat},
        {"dwStorageCap = %d\n", (long)p->dwStorageCap},
        {"wVideoBitrate =%d\n", p->wVideoBitrate},
        {"bEncodingMode= %d\n", p->bEncodingMode},
        {"bVariance = %d\n", (long)p->bVariance},
        {"dwMuxRate = %d\n", (long)p->dwMuxRate},
        {"dwVBRPadding =%d\n", (long)p->dwVBRPadding},
        {"bVideoResolution= %d\n", p->bVideoResolution},
        {"bStreamOutputMode= %d\n", p->bStreamOutputMode},
        {"bMPEGAudLayer =%d\n", p->bMPEGAudLayer},
        {"bAudioSamplingRate= %d\n", p->bAudioSamplingRate},
        {"bAudioDataRate =%d\n", p->bAudioDataRate},
        {"bAudioOutputMode= %d\n", p->bAudioOutputMode},
        {"bCRCState =%d\n", p->bCRCState},
        {"bGOPStructure= %d\n", p->bGOPStructure},
        {"bAudioEncodingMode =%d\n", p->bAudioEncodingMode},
        {"bClosedGOP= %d\n", (long)p->bClosedGOP},
        {"bInverseTel =%d\n", (long)p->bInverseTel},
        {"bTransportOutputMode= %d\n", p->bTransportOutputMode},
        {"nSharpness =%d\n", p->nSharpness},
        {"nBrightness= %d\n", p->nBrightness},
        {"nContrast =%d\n", p->nContrast},
        {"nSaturation= %d\n", p->nSaturation},
        {"nHue =%d\n", p->nHue},
    };
    for (const auto& line : lines)
        fprintf(file, line.format, (int)line.value);
    for (size_t i = 0; i < sizeof(kPreFilterNames) / sizeof(kPreFilterNames[0]); ++i) {
        DWORD word = 0;
        memcpy(&word, (const BYTE*)&p->preFilter + i * sizeof(word), sizeof(word));
        fprintf(file, "PreFilterInfo.%s = %d\n", kPreFilterNames[i], (int)word);
    }
    fclose(file);
    return TRUE;
}
