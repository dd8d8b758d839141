#pragma once

#include <windows.h>
#include <strmif.h>

// The USB 2800-family boxes' driver interface on their capture filter: a numbered property is
// set from or read into the caller's memory; the driver knows each property's size from the
// selector that precedes it.
struct IUsbBoxProperties : public IUnknown
{
    // Not used by this system; kept for the driver's slot order.
    virtual HRESULT STDMETHODCALLTYPE Reserved() = 0;
    virtual HRESULT STDMETHODCALLTYPE Set(DWORD id, void* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Get(DWORD id, void* buffer) = 0;
};

inline constexpr IID IID_IUsbBoxProperties =
    {0xBE0AB5D2, 0x3B9A, 0x4E42, {0xA0, 0x5E, 0x4A, 0x17, 0x8B, 0x56, 0x6C, 0x7C}};

// Finds the first filter of category whose FriendlyName begins with prefix (case-sensitive);
// the caller owns the reference. NULL when none matches.
typedef IBaseFilter* (*UsbFilterFinder)(const GUID& category, const char* prefix);

// Registers, I2C bus and GPIO lines of a USB 2800-family box, built from pairs of a selector
// property that says what the next transfer is and a data property that carries it. Has no
// lock: its users serialise their calls.
class CUsbDeviceAccess
{
public:
    // Results of the library's own besides the driver's HRESULTs. Positive, so the forms that
    // return a BOOL count them as failures explicitly.
    enum {
        kRefused = 5,       // GPIO mask refused, indirect register busy or its status unreadable
        kClosed = 6,        // no box open
        kNoValue = 21       // property 4116 says there is no value to read
    };
    enum { kIndirectPolls = 2000 };
    // Narrow names handed out by the name readers hold at most this many bytes with the NUL;
    // wide names at most kWideNameSize characters.
    enum { kNameSize = 256, kWideNameSize = 260 };

    CUsbDeviceAccess();
    ~CUsbDeviceAccess();

    // The box by friendly-name prefix, else the first of the family's names that finds one.
    // Releases an interface already held.
    BOOL Open(const char* name);
    void Close();
    BOOL IsOpen() const { return m_box != NULL; }

    HRESULT GetProperty(DWORD id, void* buffer);
    HRESULT SetProperty(DWORD id, void* value);
    HRESULT ReadRegister(BYTE reg, BYTE count, BYTE* buffer);
    HRESULT WriteRegister(BYTE reg, BYTE count, BYTE* buffer);
    HRESULT I2CRead(BYTE address, BYTE count, BYTE* buffer);
    HRESULT I2CWrite(BYTE address, BYTE count, BYTE* buffer);
    HRESULT I2CReadSub(BYTE address, BYTE sub, BYTE count, BYTE* buffer);
    HRESULT I2CWriteSub(BYTE address, BYTE sub, BYTE count, BYTE* buffer);
    // word: the selector's top byte in bits 8-15, the count in bits 0-7.
    HRESULT I2CReadEx(BYTE address, BYTE sub, WORD word, BYTE* buffer);
    HRESULT I2CWriteEx(BYTE address, BYTE sub, WORD word, BYTE* buffer);
    HRESULT ReadIndirectRegister(BYTE reg, BYTE* buffer);
    HRESULT WriteIndirectRegister(BYTE reg, BYTE* buffer);
    HRESULT ReadGpio(BYTE* value);
    HRESULT WriteGpio(BYTE* value);
    HRESULT SetGpioMask(DWORD mask);
    HRESULT SetProperty4107(DWORD value);
    HRESULT QueryProperty4115(DWORD value, DWORD* out);
    BOOL IsProperty4121Set();
    BOOL TestAndClearFlag();
    HRESULT GetLastResult() const { return m_lastResult; }

    // The same transfers as a BOOL: TRUE only when the box did it (the result is not negative
    // and none of the library's refusals).
    BOOL GetPropertyOk(DWORD id, void* buffer) { return Done(GetProperty(id, buffer)); }
    BOOL SetPropertyOk(DWORD id, void* value) { return Done(SetProperty(id, value)); }
    BOOL ReadRegisterOk(BYTE reg, BYTE count, BYTE* buffer) { return Done(ReadRegister(reg, count, buffer)); }
    BOOL WriteRegisterOk(BYTE reg, BYTE count, BYTE* buffer) { return Done(WriteRegister(reg, count, buffer)); }
    BOOL I2CReadOk(BYTE address, BYTE count, BYTE* buffer) { return Done(I2CRead(address, count, buffer)); }
    BOOL I2CWriteOk(BYTE address, BYTE count, BYTE* buffer) { return Done(I2CWrite(address, count, buffer)); }
    BOOL I2CReadSubOk(BYTE address, BYTE sub, BYTE count, BYTE* buffer)
    {
        return Done(I2CReadSub(address, sub, count, buffer));
    }
    BOOL I2CWriteSubOk(BYTE address, BYTE sub, BYTE count, BYTE* buffer)
    {
        return Done(I2CWriteSub(address, sub, count, buffer));
    }
    BOOL I2CReadExOk(BYTE address, BYTE sub, WORD word, BYTE* buffer) { return Done(I2CReadEx(address, sub, word, buffer)); }
    BOOL I2CWriteExOk(BYTE address, BYTE sub, WORD word, BYTE* buffer) { return Done(I2CWriteEx(address, sub, word, buffer)); }
    BOOL ReadGpioOk(BYTE* value) { return Done(ReadGpio(value)); }
    BOOL WriteGpioOk(BYTE* value) { return Done(WriteGpio(value)); }
    BOOL SetProperty4107Ok(DWORD value) { return Done(SetProperty4107(value)); }

    // Names the box's installer leaves in the registry. name receives at most kNameSize bytes,
    // wideName at most kWideNameSize characters; either may be NULL.
    static BOOL ReadAudioDeviceName(char* name, wchar_t* wideName);
    static void GetAudioName(char* name);
    static BOOL ReadDataSourceName(char* name, wchar_t* wideName);
    static void GetDataSourceName(char* name);

    // The box's audio capture filters and the default renderer; the out pointers share this
    // object's references, valid until ReleaseAudioFilters.
    BOOL OpenAudioFilters(char* name, IBaseFilter** audioInput, IBaseFilter** ksAudio, IBaseFilter** renderer);
    void ReleaseAudioFilters();
    BOOL OpenDefault();
    IBaseFilter* FindDefaultFilter();
    // Whether Open would succeed; the interface held before is kept.
    BOOL CanOpen(const char* name);
    BOOL CanOpen();
    int ShowPropertyPages(HWND parent, const char* name);
    int ShowPropertyPages(HWND parent);

    // Replaces the device search (tests); returns the one it replaces. NULL restores the
    // system device enumerator.
    static UsbFilterFinder SetFilterFinder(UsbFilterFinder finder);

private:
    CUsbDeviceAccess(const CUsbDeviceAccess&);
    CUsbDeviceAccess& operator=(const CUsbDeviceAccess&);

    static BOOL Done(HRESULT hr) { return hr >= 0 && hr != kRefused && hr != kClosed && hr != kNoValue; }
    static IBaseFilter* FindBox(const char* name);
    static IBaseFilter* Find(const GUID& category, const char* prefix);
    static BOOL ReadNameValue(const char* keyName, const char* const* values, int valueCount, char* name,
                              wchar_t* wideName);

    HRESULT Transfer(DWORD selectorId, DWORD selector, DWORD dataId, BOOL read, BYTE* buffer);
    HRESULT PollIndirect();

    IUsbBoxProperties* m_box;
    IBaseFilter* m_audioInput;
    IBaseFilter* m_ksAudio;
    IBaseFilter* m_renderer;
    DWORD m_gpioMask;
    HRESULT m_lastResult;
};
