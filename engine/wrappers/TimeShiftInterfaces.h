#pragma once

// The time-shift filter's control interface and the codec vendor's MPEG decoder interfaces,
// by method number (IUnknown is 0 to 2).
#include <objbase.h>

struct ITimeShiftControl : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetPosition(const LONGLONG* position) = 0;                         // 3
    virtual HRESULT STDMETHODCALLTYPE GetPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current) = 0; // 4
    virtual HRESULT STDMETHODCALLTYPE SetBufferSize(const LONGLONG* size, LONG reserve) = 0;             // 5
    virtual HRESULT STDMETHODCALLTYPE Method6(DWORD) = 0;                                                // 6
    virtual HRESULT STDMETHODCALLTYPE TogglePause() = 0;                                                 // 7
    virtual HRESULT STDMETHODCALLTYPE SetTimeShiftFile(LPCSTR dataPath, LPCSTR indexPath) = 0;           // 8
};

struct IMpegDecoderParams : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParam(LONG id, int* value) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetParam(LONG id, int value) = 0;  // 4
};

struct IMpegDecoderFormats : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Method3(DWORD fourcc, DWORD value) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE Method4(DWORD fourcc, DWORD value) = 0; // 4
    virtual HRESULT STDMETHODCALLTYPE EnableFormat(DWORD fourcc, DWORD enable) = 0; // 5
    virtual HRESULT STDMETHODCALLTYPE GetConfig(BYTE* record) = 0;          // 6
    virtual HRESULT STDMETHODCALLTYPE SetConfig(const BYTE* record) = 0;    // 7
};

const CLSID CLSID_TimeShift = {0xC234F3EE, 0xE66E, 0x4519, {0x83, 0x39, 0xC9, 0x9E, 0xFA, 0xD3, 0x54, 0xE0}};
const IID IID_ITimeShiftControl = {0xFD5010A2, 0x8EBE, 0x11CE, {0x81, 0x83, 0x00, 0xAA, 0x00, 0x57, 0x7D, 0xA1}};
const CLSID CLSID_MpegVideoDecoder = {0x2BE4D140, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const CLSID CLSID_MpegAudioDecoder = {0x2BE4D130, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegDecoderFormats = {0x2BE4D141, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegDecoderParams = {0x2BE4D142, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const CLSID CLSID_Mpeg2Demultiplexer = {0xAFB6C280, 0x2C41, 0x11D3, {0x8A, 0x60, 0x00, 0x00, 0xF8, 0x1E, 0x0E, 0x4A}};
