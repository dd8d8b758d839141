#pragma once

#include "CaptureDevice.h"
#include "ComRef.h"

// The DVB-C card driver's private interface on its capture filter. What each method does lies
// in the driver; slots count from 0 (IUnknown 0-2), and the slots this system never calls
// take one DWORD so that the later ones keep their places.
struct IDvbcCaptureControl : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Method3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Method4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Method5(DWORD a, DWORD b) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused6(DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Method8(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method9(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method10(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method11(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method12(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused13(DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method14(DWORD a) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused15(DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused16(DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused17(DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused18(DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused19(DWORD) = 0;
    virtual HRESULT STDMETHODCALLTYPE Method20(DWORD a, DWORD b) = 0;
};

inline constexpr IID IID_IDvbcCaptureControl =
    {0x9B21A661, 0x29BB, 0x4ED3, {0xB1, 0x25, 0x54, 0xB4, 0x09, 0x67, 0x7B, 0x59}};

// The capture filter of a DVB-C card that delivers an MPEG transport stream. It has no analog
// tuner path: its access object does nothing, and the card is reached through the filter's
// private interface and the card's chip library, whose key callback posts remote keys to the
// window given by SetNotify. One instance at a time receives keys.
class CDvbcCapture : public CCaptureDevice
{
public:
    enum { kNullAccess = 16 };
    enum { kDefaultSymbolRate = 6875, kDefaultModulation = 2 };

    // The chip library's view of the card EEPROM.
    enum { kEepromSize = 128 };

    // One entry of the table handed in by SetEntryTable; the driver's layout.
    struct Entry
    {
        BYTE data[12];
    };

    CDvbcCapture(CGraphBuilder* graph, REFCLSID clsid);
    CDvbcCapture(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    CDvbcCapture(CGraphBuilder* graph, IBaseFilter* filter);
    ~CDvbcCapture() override;

    // Resets the stored values and needs the filter's private interface before the base runs.
    BOOL InitDevice() override;
    HRESULT OpenDeviceAccess() override;
    // Byte by byte through the chip library, waiting pauseMs after each. Nothing to write (no
    // data, *count <= 0, offset above 127) is S_OK; otherwise the last byte's result decides.
    HRESULT WriteEeprom(BYTE* data, int offset, int* count, DWORD pauseMs) override;
    // Byte by byte through the chip library; *count becomes the bytes read. Nothing to read
    // (*count <= 0, offset above 127) is S_OK; E_POINTER without a buffer or count.
    HRESULT ReadEeprom(BYTE* data, int offset, int* count) override;

    // The private interface's methods of those numbers: TRUE when the call succeeded.
    BOOL PrivateCall3();
    BOOL PrivateCall4();
    BOOL PrivateCall5(DWORD a, DWORD b);
    BOOL PrivateCall7();
    BOOL PrivateCall8(DWORD a);
    BOOL PrivateCall9(DWORD a);
    BOOL PrivateCall10(DWORD a);
    BOOL PrivateCall11(DWORD a);
    BOOL PrivateCall12(DWORD a);
    BOOL PrivateCall14(DWORD a);
    BOOL PrivateCall20(DWORD a, DWORD b);

    // Copies count entries into a table with room for ten more. A null table keeps the old
    // one: with nothing to copy that is no error, with entries to copy it is refused (FALSE),
    // as is a negative count.
    BOOL SetEntryTable(const Entry* entries, int count);
    // NULL outside the table.
    const Entry* GetEntry(int index) const;
    int GetEntryCount() const { return m_entryCount; }

    void SetNotify(HWND window, DWORD value1, DWORD value2);
    void GetPair(DWORD* first, DWORD* second) const;
    void SetPair(DWORD first, DWORD second);
    DWORD GetSymbolRate() const { return m_symbolRate; }
    DWORD GetModulation() const { return m_modulation; }

    // Registers the library's key callback for this instance: 1 without calling the library
    // when an instance is registered already, else the library's answer.
    BOOL RegisterKeyCallback();
    // Unregisters with the library when this instance is the registered one.
    void UnregisterKeyCallback();
    BOOL SetPortFlag(BOOL on);

    // Whether size bytes at pointer may be read, and written too when needWrite is set.
    static BOOL IsValidBuffer(const void* pointer, DWORD size, BOOL needWrite);

private:
    void InitDvbc();
    static void CALLBACK KeyCallback(DWORD context, DWORD key);
    // Runs on the library's thread with the receiver lock held: it only posts.
    void PostKey(DWORD key);

    CComRef<IDvbcCaptureControl> m_control;
    Entry* m_entries;
    int m_entryCount;
    DWORD m_symbolRate;
    DWORD m_modulation;
    HWND m_keyWindow;
    DWORD m_notifyValue1;
    DWORD m_notifyValue2;
    // Set by the library's thread when it posts a key, cleared by (un)registering.
    volatile LONG m_keyPosted;
    DWORD m_pair[2];
};
