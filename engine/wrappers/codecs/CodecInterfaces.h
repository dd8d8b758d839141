#pragma once

// The private interfaces of the outside codec and utility filters the engine wraps, by method
// number (IUnknown is 0 to 2). Slots the engine never calls keep their places as one-argument
// methods. The codec vendor's MPEG interfaces are in MpegEncoderInterfaces.h.
#include <objbase.h>
#include <oleauto.h>

#define CODEC_SLOT(n) virtual HRESULT STDMETHODCALLTYPE Method##n(DWORD) = 0

// The maker's deinterlace filter. Flags travel as VARIANT_BOOL except high quality.
struct IDeinterlaceControl : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetHighQuality(LONG* on) = 0;                            // 3
    virtual HRESULT STDMETHODCALLTYPE SetHighQuality(LONG on) = 0;                             // 4
    virtual HRESULT STDMETHODCALLTYPE GetNoiseReduce(VARIANT_BOOL* on) = 0;                    // 5
    virtual HRESULT STDMETHODCALLTYPE SetNoiseReduce(VARIANT_BOOL on) = 0;                     // 6
    virtual HRESULT STDMETHODCALLTYPE GetHalfRate(VARIANT_BOOL* on) = 0;                       // 7
    virtual HRESULT STDMETHODCALLTYPE SetHalfRate(VARIANT_BOOL on) = 0;                        // 8
    virtual HRESULT STDMETHODCALLTYPE GetReduceValue(LONG* value) = 0;                         // 9
    virtual HRESULT STDMETHODCALLTYPE SetReduceValue(LONG value) = 0;                          // 10
    virtual HRESULT STDMETHODCALLTYPE SaveSnapshot(LPCWSTR path, LONG kind, LONG quality) = 0; // 11
    virtual HRESULT STDMETHODCALLTYPE GetSmallFrame(VARIANT_BOOL* on) = 0;                     // 12
    virtual HRESULT STDMETHODCALLTYPE SetSmallFrame(VARIANT_BOOL on) = 0;                      // 13
};

// The maker's snap-picture filter: method 4 takes a count and the 272-byte request.
struct ISnapPicture : public IUnknown
{
    CODEC_SLOT(3);
    virtual HRESULT STDMETHODCALLTYPE TakePicture(LONG count, const BYTE* request) = 0; // 4
};

struct IAvSwitch : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetAudioMute(VARIANT_BOOL* mute) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetAudioMute(VARIANT_BOOL mute) = 0;  // 4
};

// The numbered parameters of the filters InterVideo built for the maker; every parameter
// interface of theirs has this layout. For the still-capture picture (1544) the value
// pointer is the caller's buffer.
struct IIviParams : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParam(LONG id, LONG* value) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetParam(LONG id, LONG value) = 0;  // 4
};

// InterVideo's file writer: a 64-bit parameter is set as two halves.
struct IIviWriter : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParam(LONG id, LONG* value) = 0;          // 3
    virtual HRESULT STDMETHODCALLTYPE SetParam(LONG id, LONG low, LONG high) = 0;  // 4
};

// InterVideo's time-shift filter: a 24-byte settings record (IviTimeShiftRecord) and
// further calls the engine passes on unchanged.
struct IIviTimeShift : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetSettings(BYTE* record) = 0;       // 3
    virtual HRESULT STDMETHODCALLTYPE SetSettings(const BYTE* record) = 0; // 4
    CODEC_SLOT(5);
    CODEC_SLOT(6);
    CODEC_SLOT(7);
    CODEC_SLOT(8);
    virtual HRESULT STDMETHODCALLTYPE SetReserve(LONG value) = 0; // 9
    CODEC_SLOT(10);
    CODEC_SLOT(11);
    CODEC_SLOT(12);
    virtual HRESULT STDMETHODCALLTYPE Call13(LONG value) = 0; // 13
    virtual HRESULT STDMETHODCALLTYPE Call14() = 0;           // 14
    virtual HRESULT STDMETHODCALLTYPE Call15(LONG value) = 0; // 15
    virtual HRESULT STDMETHODCALLTYPE Call16(LONG value) = 0; // 16
    virtual HRESULT STDMETHODCALLTYPE Call17(LONG value) = 0; // 17
    CODEC_SLOT(18);
    virtual HRESULT STDMETHODCALLTYPE Call19() = 0; // 19
    virtual HRESULT STDMETHODCALLTYPE Call20() = 0; // 20
    virtual HRESULT STDMETHODCALLTYPE Call21() = 0; // 21
};

// The time-shift settings record: folder and file name as BSTRs (the caller's), the buffer
// size in bytes and one more value.
struct IviTimeShiftRecord
{
    BSTR folder;
    BSTR file;
    LONGLONG bufferBytes;
    LONG value;
    LONG reserved;
};

// The Ligos capture encoder: nine methods, one of them naming the output file.
struct IGoMotionEncoder : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetSettings(BYTE* record) = 0;       // 3
    virtual HRESULT STDMETHODCALLTYPE SetSettings(const BYTE* record) = 0; // 4
    virtual HRESULT STDMETHODCALLTYPE SetOutputFile(LPCWSTR path) = 0;     // 5
    virtual HRESULT STDMETHODCALLTYPE Start() = 0;                         // 6
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;                          // 7
    virtual HRESULT STDMETHODCALLTYPE Pause(BOOL pause) = 0;               // 8
    virtual HRESULT STDMETHODCALLTYPE GetStatus(LONG* status) = 0;         // 9
    virtual HRESULT STDMETHODCALLTYPE GetParam(LONG id, LONG* value) = 0;  // 10
    virtual HRESULT STDMETHODCALLTYPE SetParam(LONG id, LONG value) = 0;   // 11
};

// The Ligos transcode sample: six methods, one of them naming the input file.
struct IGoMotionTranscode : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetInputFile(LPCWSTR path) = 0;      // 3
    virtual HRESULT STDMETHODCALLTYPE GetSettings(BYTE* record) = 0;       // 4
    virtual HRESULT STDMETHODCALLTYPE SetSettings(const BYTE* record) = 0; // 5
    virtual HRESULT STDMETHODCALLTYPE Start() = 0;                         // 6
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;                          // 7
    virtual HRESULT STDMETHODCALLTYPE GetProgress(LONG* percent) = 0;      // 8
};

struct IColorConvert : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetOutputFormat(LONG format) = 0;  // 3
    virtual HRESULT STDMETHODCALLTYPE GetOutputFormat(LONG* format) = 0; // 4
};

#undef CODEC_SLOT

const IID IID_IDeinterlaceControl = {0x52B164A9, 0x4F2D, 0x4851, {0xB8, 0xC6, 0x02, 0xC4, 0x4F, 0x9E, 0x40, 0xCD}};
const IID IID_ISnapPicture = {0x8CDD8EAE, 0xECCF, 0x49E2, {0x9E, 0x4F, 0x86, 0x9C, 0xE9, 0x6C, 0x42, 0xC6}};
const IID IID_IAvSwitch = {0xA4E9C28B, 0xBE58, 0x44E1, {0x9C, 0xF3, 0xC9, 0xCA, 0x20, 0xF3, 0xC0, 0xC9}};
const IID IID_IIviParams = {0xB4ABF4A0, 0x01BA, 0x11D4, {0x89, 0x8C, 0x00, 0xA0, 0xCC, 0x52, 0x11, 0xEF}};
const IID IID_IIviAudioParams = {0x0CD2E142, 0x8D60, 0x11D3, {0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF6}};
const IID IID_IIviMuxParams = {0x317DDB64, 0x870E, 0x11D3, {0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF7}};
const IID IID_IIviVideoParams = {0x317DDB63, 0x870E, 0x11D3, {0x9C, 0x32, 0x00, 0x10, 0x4B, 0x38, 0x01, 0xF6}};
const IID IID_IIviScaleParams = {0x50359D21, 0xEB57, 0x4980, {0x92, 0x2F, 0xB1, 0x97, 0x31, 0x10, 0x17, 0xAA}};
const IID IID_IIviWriter = {0x173DAD40, 0xA0D3, 0x43E2, {0xB1, 0xD5, 0x2E, 0x46, 0x25, 0xD7, 0xF1, 0xF0}};
const IID IID_IIviTimeShift = {0xBD7EA3E2, 0x2666, 0x11D4, {0xB2, 0x69, 0x00, 0xA0, 0xD2, 0x18, 0x25, 0xFB}};
const IID IID_IGoMotionEncoder = {0x55A4D441, 0x6429, 0x11D5, {0x87, 0x37, 0x00, 0x10, 0xA4, 0xE9, 0xFF, 0x94}};
const IID IID_IGoMotionTranscode = {0xFF12DF30, 0x9702, 0x4438, {0x9B, 0x45, 0xF6, 0x4D, 0x19, 0x1D, 0xCE, 0x69}};
const IID IID_IColorConvert = {0xC9A9614D, 0xFDA4, 0x4D0D, {0x82, 0xC6, 0x89, 0x15, 0x4F, 0x92, 0xA3, 0xF8}};
const IID IID_IMpegMuxParams = {0x2BE4D156, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegSplitterParams = {0x2BE4D121, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
