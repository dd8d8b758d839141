#pragma once

// The private interfaces of the stand-in filters, typed from what the outside filters offer.
// Kept apart from the program's own declarations on purpose: a slot out of place on either
// side then fails a test instead of agreeing with itself. Slots count from 0 (IUnknown 0-2);
// a slot nobody names takes one DWORD and answers E_NOTIMPL.
#include <objbase.h>
#include <oleauto.h>

// Every stand-in object: which module and class made it ("simmsdx:avimux 1").
struct ISimIdentity : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetSimModule(LPSTR buffer, DWORD size) = 0; // 3
};
const IID IID_ISimIdentity = { 0x3A2EA63F, 0xBA2D, 0x4224, { 0x8C, 0xF4, 0x1A, 0xD4, 0x5B, 0x3A, 0xF1, 0xC4 } };

struct IDeinterlaceControl : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetHighQuality(LONG* on) = 0;                                 // 3
    virtual HRESULT STDMETHODCALLTYPE SetHighQuality(LONG on) = 0;                                  // 4
    virtual HRESULT STDMETHODCALLTYPE GetNoiseReduce(VARIANT_BOOL* on) = 0;                         // 5
    virtual HRESULT STDMETHODCALLTYPE SetNoiseReduce(VARIANT_BOOL on) = 0;                          // 6
    virtual HRESULT STDMETHODCALLTYPE GetHalfRate(VARIANT_BOOL* on) = 0;                            // 7
    virtual HRESULT STDMETHODCALLTYPE SetHalfRate(VARIANT_BOOL on) = 0;                             // 8
    virtual HRESULT STDMETHODCALLTYPE GetReduceValue(LONG* value) = 0;                              // 9
    virtual HRESULT STDMETHODCALLTYPE SetReduceValue(LONG value) = 0;                               // 10
    virtual HRESULT STDMETHODCALLTYPE SaveSnapshot(LPCWSTR path, LONG kind, LONG quality) = 0;      // 11
    virtual HRESULT STDMETHODCALLTYPE GetSmallFrame(VARIANT_BOOL* on) = 0;                          // 12
    virtual HRESULT STDMETHODCALLTYPE SetSmallFrame(VARIANT_BOOL on) = 0;                           // 13
};
const IID IID_IDeinterlaceControl = { 0x52B164A9, 0x4F2D, 0x4851, { 0xB8, 0xC6, 0x02, 0xC4, 0x4F, 0x9E, 0x40, 0xCD } };

struct IAvSwitch : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetAudioMute(VARIANT_BOOL* mute) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetAudioMute(VARIANT_BOOL mute) = 0;  // 4
};
const IID IID_IAvSwitch = { 0xA4E9C28B, 0xBE58, 0x44E1, { 0x9C, 0xF3, 0xC9, 0xCA, 0x20, 0xF3, 0xC0, 0xC9 } };

// The snap-picture filter: slot 4 writes the next picture as the 272-byte request says
// (size 272, kind 1 BMP / 2 JPEG / 0 none, 260-byte ANSI path, quality 0-100).
struct ISnapPicture : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Unnamed3(DWORD) = 0;                               // 3
    virtual HRESULT STDMETHODCALLTYPE TakePicture(LONG count, const BYTE* request) = 0;  // 4
};
const IID IID_ISnapPicture = { 0x8CDD8EAE, 0xECCF, 0x49E2, { 0x9E, 0x4F, 0x86, 0x9C, 0xE9, 0x6C, 0x42, 0xC6 } };

// Numbered parameters of the still-capture filter. For 1544 the value pointer is the
// caller's buffer for the picture (a packed DIB of the size 1543 gives).
struct IIviParams : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParam(LONG id, LONG* value) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetParam(LONG id, LONG value) = 0;  // 4
};
const IID IID_IIviParams = { 0xB4ABF4A0, 0x01BA, 0x11D4, { 0x89, 0x8C, 0x00, 0xA0, 0xCC, 0x52, 0x11, 0xEF } };

// InterVideo's audio encoder and multiplexer take their numbered parameters through the
// layout of IIviParams.
const IID IID_IIviAudioParams = { 0x0CD2E142, 0x8D60, 0x11D3, { 0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF6 } };
const IID IID_IIviMuxParams = { 0x317DDB64, 0x870E, 0x11D3, { 0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF7 } };

// InterVideo's writer: a 64-bit parameter (1280, the file-size limit) is set as two halves.
struct IIviWriter : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParam(LONG id, LONG* value) = 0;         // 3
    virtual HRESULT STDMETHODCALLTYPE SetParam(LONG id, LONG low, LONG high) = 0; // 4
};
const IID IID_IIviWriter = { 0x173DAD40, 0xA0D3, 0x43E2, { 0xB1, 0xD5, 0x2E, 0x46, 0x25, 0xD7, 0xF1, 0xF0 } };

// The DVB-C card driver's control interface on its capture filter; slots 3-20, their
// arguments as the driver takes them.
struct IDvbcTsControl : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Call3() = 0;                     // 3
    virtual HRESULT STDMETHODCALLTYPE Call4() = 0;                     // 4
    virtual HRESULT STDMETHODCALLTYPE Call5(DWORD a, DWORD b) = 0;     // 5
    virtual HRESULT STDMETHODCALLTYPE Unnamed6(DWORD) = 0;             // 6
    virtual HRESULT STDMETHODCALLTYPE Call7() = 0;                     // 7
    virtual HRESULT STDMETHODCALLTYPE Call8(DWORD a) = 0;              // 8
    virtual HRESULT STDMETHODCALLTYPE Call9(DWORD a) = 0;              // 9
    virtual HRESULT STDMETHODCALLTYPE Call10(DWORD a) = 0;             // 10
    virtual HRESULT STDMETHODCALLTYPE Call11(DWORD a) = 0;             // 11
    virtual HRESULT STDMETHODCALLTYPE Call12(DWORD a) = 0;             // 12
    virtual HRESULT STDMETHODCALLTYPE Unnamed13(DWORD) = 0;            // 13
    virtual HRESULT STDMETHODCALLTYPE Call14(DWORD a) = 0;             // 14
    virtual HRESULT STDMETHODCALLTYPE Unnamed15(DWORD) = 0;            // 15
    virtual HRESULT STDMETHODCALLTYPE Unnamed16(DWORD) = 0;            // 16
    virtual HRESULT STDMETHODCALLTYPE Unnamed17(DWORD) = 0;            // 17
    virtual HRESULT STDMETHODCALLTYPE Unnamed18(DWORD) = 0;            // 18
    virtual HRESULT STDMETHODCALLTYPE Unnamed19(DWORD) = 0;            // 19
    virtual HRESULT STDMETHODCALLTYPE Call20(DWORD a, DWORD b) = 0;    // 20
};
const IID IID_IDvbcTsControl = { 0x9B21A661, 0x29BB, 0x4ED3, { 0xB1, 0x25, 0x54, 0xB4, 0x09, 0x67, 0x7B, 0x59 } };
