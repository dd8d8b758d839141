#pragma once

// The private interfaces of the codec vendor's MPEG encoder and decoders and of the
// time-shift filter, typed from what those filters offer. Method names differ between
// interfaces on purpose: one stand-in object implements several of them, and equal
// names would make one C++ override serve slots that must stay apart. Slots count from
// 0 (IUnknown 0-2); a slot nobody names takes one DWORD and answers E_NOTIMPL.
#include <objbase.h>

#define SIM_UNNAMED_SLOT(n) virtual HRESULT STDMETHODCALLTYPE Unnamed##n(DWORD) = 0

struct IMpegVideoEncoder : public IUnknown
{
    SIM_UNNAMED_SLOT(3);
    SIM_UNNAMED_SLOT(4);
    SIM_UNNAMED_SLOT(5);
    SIM_UNNAMED_SLOT(6);
    SIM_UNNAMED_SLOT(7);
    SIM_UNNAMED_SLOT(8);
    SIM_UNNAMED_SLOT(9);
    SIM_UNNAMED_SLOT(10);
    SIM_UNNAMED_SLOT(11);
    virtual HRESULT STDMETHODCALLTYPE GetVideoRecord(BYTE* record877) = 0;                           // 12
    virtual HRESULT STDMETHODCALLTYPE SetVideoRecord(const BYTE* record877) = 0;                     // 13
    virtual HRESULT STDMETHODCALLTYPE GetVideoPresetDefaults(LONG type, BOOL b25, BYTE* record) = 0; // 14
    SIM_UNNAMED_SLOT(15);
};
const IID IID_IMpegVideoEncoder = { 0x2BE4D151, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

struct IMpegAudioEncoder : public IUnknown
{
    SIM_UNNAMED_SLOT(3);
    SIM_UNNAMED_SLOT(4);
    SIM_UNNAMED_SLOT(5);
    SIM_UNNAMED_SLOT(6);
    SIM_UNNAMED_SLOT(7);
    SIM_UNNAMED_SLOT(8);
    SIM_UNNAMED_SLOT(9);
    SIM_UNNAMED_SLOT(10);
    virtual HRESULT STDMETHODCALLTYPE GetAudioRecord(BYTE* record36) = 0;                  // 11
    virtual HRESULT STDMETHODCALLTYPE SetAudioRecord(const BYTE* record36) = 0;            // 12
    virtual HRESULT STDMETHODCALLTYPE GetAudioPresetDefaults(LONG type, BYTE* record) = 0; // 13
    SIM_UNNAMED_SLOT(14);
};
const IID IID_IMpegAudioEncoder = { 0x2BE4D152, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

struct IMpegMuxSettings : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetMuxType(LONG* type) = 0;                       // 3
    virtual HRESULT STDMETHODCALLTYPE SetMuxType(LONG type) = 0;                        // 4
    virtual HRESULT STDMETHODCALLTYPE GetMuxRecord(BYTE* record108) = 0;                // 5
    virtual HRESULT STDMETHODCALLTYPE SetMuxRecord(const BYTE* record108) = 0;          // 6
    virtual HRESULT STDMETHODCALLTYPE GetMuxPresetDefaults(LONG type, BYTE* record) = 0; // 7
    virtual HRESULT STDMETHODCALLTYPE LoadMuxPreset(LONG type) = 0;                     // 8
};
const IID IID_IMpegMuxSettings = { 0x2BE4D153, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

struct IMpegVideoParams : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetVideoParam(LONG id, LONG* value) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetVideoParam(LONG id, LONG value) = 0;  // 4
};
const IID IID_IMpegVideoParams = { 0x2BE4D154, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

struct IMpegAudioParams : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetAudioParam(LONG id, LONG* value) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetAudioParam(LONG id, LONG value) = 0;  // 4
};
const IID IID_IMpegAudioParams = { 0x2BE4D155, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

// The video decoder's output formats, by FOURCC as a MAKEFOURCC DWORD ('YUY2' = 0x32595559).
struct IMpegDecoderFormats : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetFormatEnabled(DWORD fourcc, LONG* enabled) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetFormatOrder(DWORD fourcc, LONG position) = 0;   // 4
    virtual HRESULT STDMETHODCALLTYPE EnableFormat(DWORD fourcc, LONG enable) = 0;       // 5
    virtual HRESULT STDMETHODCALLTYPE GetDecoderConfig(BYTE* record40) = 0;             // 6
    virtual HRESULT STDMETHODCALLTYPE SetDecoderConfig(const BYTE* record40) = 0;       // 7
};
const IID IID_IMpegDecoderFormats = { 0x2BE4D141, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

struct IMpegDecoderParams : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetDecoderParam(LONG id, LONG* value) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetDecoderParam(LONG id, LONG value) = 0;  // 4
};
const IID IID_IMpegDecoderParams = { 0x2BE4D142, 0x6F2E, 0x4B3A, { 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC } };

// Positions are bytes of the buffered stream, counted from the oldest byte held.
struct ITimeShiftControl : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetPosition(const LONGLONG* position) = 0;                          // 3
    virtual HRESULT STDMETHODCALLTYPE GetPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current) = 0; // 4
    virtual HRESULT STDMETHODCALLTYPE SetBufferSize(const LONGLONG* bytes, LONG reserve) = 0;             // 5
    SIM_UNNAMED_SLOT(6);
    virtual HRESULT STDMETHODCALLTYPE TogglePause() = 0;                                                  // 7
    virtual HRESULT STDMETHODCALLTYPE SetTimeShiftFile(LPCSTR data, LPCSTR index) = 0;                    // 8
};
const IID IID_ITimeShiftControl = { 0xFD5010A2, 0x8EBE, 0x11CE, { 0x81, 0x83, 0x00, 0xAA, 0x00, 0x57, 0x7D, 0xA1 } };

#undef SIM_UNNAMED_SLOT
