#pragma once

// The codec vendor's MPEG encoder interfaces, by method number (IUnknown is 0 to 2). The
// methods the engine never calls keep their places as one-argument slots.
#include <objbase.h>

#define MPEG_ENCODER_SLOT(n) virtual HRESULT STDMETHODCALLTYPE Method##n(DWORD) = 0

struct IMpegVideoEncoder : public IUnknown
{
    MPEG_ENCODER_SLOT(3);
    MPEG_ENCODER_SLOT(4);
    MPEG_ENCODER_SLOT(5);
    MPEG_ENCODER_SLOT(6);
    MPEG_ENCODER_SLOT(7);
    MPEG_ENCODER_SLOT(8);
    MPEG_ENCODER_SLOT(9);
    MPEG_ENCODER_SLOT(10);
    MPEG_ENCODER_SLOT(11);
    virtual HRESULT STDMETHODCALLTYPE GetSettings(BYTE* record) = 0;                               // 12
    virtual HRESULT STDMETHODCALLTYPE SetSettings(const BYTE* record) = 0;                         // 13
    virtual HRESULT STDMETHODCALLTYPE GetPresetDefaults(LONG type, BOOL b25fps, BYTE* record) = 0; // 14
    MPEG_ENCODER_SLOT(15);
};

struct IMpegAudioEncoder : public IUnknown
{
    MPEG_ENCODER_SLOT(3);
    MPEG_ENCODER_SLOT(4);
    MPEG_ENCODER_SLOT(5);
    MPEG_ENCODER_SLOT(6);
    MPEG_ENCODER_SLOT(7);
    MPEG_ENCODER_SLOT(8);
    MPEG_ENCODER_SLOT(9);
    MPEG_ENCODER_SLOT(10);
    virtual HRESULT STDMETHODCALLTYPE GetSettings(BYTE* record) = 0;                  // 11
    virtual HRESULT STDMETHODCALLTYPE SetSettings(const BYTE* record) = 0;            // 12
    virtual HRESULT STDMETHODCALLTYPE GetPresetDefaults(LONG type, BYTE* record) = 0; // 13
    MPEG_ENCODER_SLOT(14);
};

struct IMpegMuxSettings : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetMuxType(int* type) = 0;                      // 3
    virtual HRESULT STDMETHODCALLTYPE SetMuxType(int type) = 0;                       // 4
    virtual HRESULT STDMETHODCALLTYPE GetSettings(BYTE* record) = 0;                  // 5
    virtual HRESULT STDMETHODCALLTYPE SetSettings(const BYTE* record) = 0;            // 6
    virtual HRESULT STDMETHODCALLTYPE GetPresetDefaults(LONG type, BYTE* record) = 0; // 7
    virtual HRESULT STDMETHODCALLTYPE LoadPreset(LONG type) = 0;                      // 8
};

// The video and the audio parameters by number share one layout.
struct IMpegParams : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParam(LONG id, int* value) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetParam(LONG id, int value) = 0;  // 4
};

#undef MPEG_ENCODER_SLOT

const IID IID_IMpegAudioEncoder = {0x2BE4D152, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegAudioParams = {0x2BE4D155, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegMuxSettings = {0x2BE4D153, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegVideoEncoder = {0x2BE4D151, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegVideoParams = {0x2BE4D154, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const CLSID CLSID_MpegEncoder = {0x2BE4D150, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
