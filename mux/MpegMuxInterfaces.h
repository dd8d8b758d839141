#pragma once

// The multiplexer's class identifiers and private interfaces, as a caller uses them.
#include <objbase.h>

const CLSID CLSID_MpegMultiplexer = {0x2BE4D180, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const CLSID CLSID_MpegMultiplexerPropertyPage = {0x2BE4D188, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegMuxSettings = {0x2BE4D153, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegMuxParams = {0x2BE4D156, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};
const IID IID_IMpegMuxCaps = {0x2BE4D187, 0x6F2E, 0x4B3A, {0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC}};

// The settings block is the multiplexing library's (108 bytes).
struct IMpegMuxSettings : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetMuxType(int* type) = 0;                     // 3
    virtual HRESULT STDMETHODCALLTYPE SetMuxType(int type) = 0;                      // 4
    virtual HRESULT STDMETHODCALLTYPE GetSettings(void* block) = 0;                  // 5
    virtual HRESULT STDMETHODCALLTYPE SetSettings(const void* block) = 0;            // 6
    virtual HRESULT STDMETHODCALLTYPE GetPresetDefaults(int preset, void* block) = 0; // 7
    virtual HRESULT STDMETHODCALLTYPE LoadPreset(int preset) = 0;                    // 8
};

struct IMpegMuxParams : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetParam(int id, int* value) = 0; // 3
    virtual HRESULT STDMETHODCALLTYPE SetParam(int id, int value) = 0;  // 4
};

struct IMpegMuxCaps : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetCaps(int* caps) = 0; // 3
};

// For __uuidof, as the platform's own interfaces have it.
__CRT_UUID_DECL(IMpegMuxSettings, 0x2BE4D153, 0x6F2E, 0x4B3A, 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC)
__CRT_UUID_DECL(IMpegMuxParams, 0x2BE4D156, 0x6F2E, 0x4B3A, 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC)
__CRT_UUID_DECL(IMpegMuxCaps, 0x2BE4D187, 0x6F2E, 0x4B3A, 0xB0, 0xBD, 0xE8, 0x80, 0x91, 0x72, 0x38, 0xDC)

// IMpegMuxParams ids.
enum MuxParamId
{
    MUX_PARAM_STATISTICS = 16,          // get: fills the MuxStatistics the value points at
    MUX_PARAM_SPLIT_FILES = 32,
    MUX_PARAM_SEGMENT_SIZE = 33,        // MiB, in the settings block
    MUX_PARAM_WRITE_LIST = 34,
    MUX_PARAM_FILE_CONTROLS = 35,
    MUX_PARAM_VIDEO_COMMAND = 36,       // set: a new segment at the next video unit group
    MUX_PARAM_SYNC_AUDIO = 37,
    MUX_PARAM_TIME_LIMIT = 48,          // ms, 0 = none
    MUX_PARAM_STREAM_FILES = 64,
    MUX_PARAM_OPTION_BIT7 = 65,
    MUX_PARAM_WRITER_A = 66,
    MUX_PARAM_WRITER_B = 67,
    MUX_PARAM_AUDIO_NO_SPAM_VOBU = 68,
    MUX_PARAM_PAGE_LOCK = 80,
    MUX_PARAM_RESOLVER = 112,           // 0 restores the filter's own
    MUX_PARAM_OUTPUT_CONNECTED = 0x8000
};

// MUX_PARAM_STATISTICS: the caller sets size; each later field is filled only when size
// covers it, the rest of the caller's record is left as it was.
struct MuxStatistics
{
    DWORD size;
    DWORD reserved;
    ULONGLONG bytesWritten; // since Run
    DWORD runStartMs;       // timeGetTime at Run
    DWORD nowMs;
    DWORD elapsedMs;
};
