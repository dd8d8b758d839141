#pragma once

#include "FilterClassRecord.h"
#include "FilterWrapper.h"
#include "SignalSource.h"

#include <string>
#include <vector>

class CI2CAccess;
class CDeviceNotifyThread;
class CRemotePollThread;
class CTunerModel;

// A capture format as the program hands it around: the subtype code and the video header
// without colour table.
struct CaptureFormat
{
    // Subtype codes; 5 is not used.
    enum { kRgb555 = 0, kRgb24 = 1, kYuy2 = 2, kYvu9 = 3, kYv12 = 4, kUyvy = 6, kCxf1 = 7, kCxf2 = 8, kOther = -1 };

    int subtype;
    VIDEOINFOHEADER header;
};

// The proc-amp reading of one property: its value and the range the decoder offers.
struct ProcAmpValue
{
    long value, min, max, step, defaultValue, caps;
};

// The video capture filter of an analog TV card or box with everything the program does
// through it: register, GPIO and I2C access, the tuner module, remote keys, the card EEPROM,
// decoder format, proc-amp and capture format. Card classes override a few operations.
//
// Devices are made by their class records (CreateDevice), which run Configure and
// InitDevice after construction, when the card class's overrides are in place; a failed
// InitDevice leaves the device allocated with its valid flag cleared.
class CCaptureDevice : public CFilterWrapper, public ISignalSource
{
public:
    // Access modes.
    enum { kNotOpen = 0, kDeviceControl = 1, kPropertySet = 2, kTunerFilter = 3, kUsbBridge = 4 };
    // The tuner type of cards whose EEPROM names none the factory knows, and its letter.
    enum { kFallbackTunerType = 4, kFallbackLetter = 'T' };

    CCaptureDevice(CGraphBuilder* graph, REFCLSID clsid);
    CCaptureDevice(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    // Wraps a filter that exists already; a null filter leaves the device without one.
    CCaptureDevice(CGraphBuilder* graph, IBaseFilter* filter);
    virtual ~CCaptureDevice();

    // The create function of the record of a device class T.
    template <class T>
    static CFilterWrapper* CreateDevice(const CFilterClassRecord& record, CGraphBuilder* graph, int matchMode)
    {
        T* device = static_cast<T*>(CFilterClassRecord::CreateWrapper<T>(record, graph, matchMode));
        if (device)
            device->Open();
        return device;
    }

    // Configure, then InitDevice; the valid flag follows the result.
    void Open();

    // "Capture" and "Preview" are the pins the capture graph builder found.
    CFilterPin* FindPin(const char* name) override;
    virtual BOOL InitDevice();

    virtual HRESULT GetTVFormat(long* current, long* available);
    virtual HRESULT SetTVFormat(long format);
    virtual HRESULT SetAudioInput(int input, BOOL on);
    virtual BOOL ReadRemoteKey(BYTE* key);
    virtual HRESULT WriteI2C(BYTE* data, int length);
    virtual HRESULT WriteEeprom(BYTE* data, int offset, int* count, DWORD pauseMs);
    virtual HRESULT ReadEeprom(BYTE* data, int offset, int* count);
    virtual HRESULT OpenDeviceAccess();
    virtual HRESULT CloseDeviceAccess();
    virtual BOOL CreateTuner();
    virtual void ReadTunerInfo();
    virtual BYTE ReadEepromConfigByte();
    virtual BOOL DetectTunerAddress(CTunerModel* tuner);
    virtual BOOL SelectTunerModel(int typeId);
    virtual BOOL ProbeI2CAddress(BYTE address);
    virtual HRESULT ReadEepromInfo(int* letter, int* model);
    virtual CTunerModel* CreateTunerModel(int typeId);
    virtual BOOL SendGpioFrame(DWORD value, DWORD mask, DWORD ms);
    virtual BOOL ReadGpioStrobed(DWORD* value);
    virtual BOOL WriteMcuWord(WORD value);
    virtual BOOL ReadMcuWord(WORD* value);
    virtual BOOL McuHandshake(BOOL on);
    virtual BOOL SetDriverValue(DWORD value);
    // The card's driver notification: the callback runs on the device-notify thread with the
    // device as its argument. The base has no driver to ask: FALSE, FALSE, and TRUE after
    // deleting the thread.
    virtual BOOL SetDeviceCallback(void (*callback)(void*));
    virtual BOOL StartDeviceNotify(DWORD value);
    virtual BOOL StopDeviceNotify();
    // The video decoder's horizontal lock; *locked is non-zero while a picture is locked.
    virtual HRESULT IsSignalLocked(long* locked);
    virtual HRESULT SetAudioMux(int input, BOOL on);
    virtual BOOL GetDeviceProperty(DWORD* value);

    // Hands the on-card controller the minutes until the next timed power-on, clamped to
    // what it stores, and arms it; the controller is armed only when enabled with minutes
    // to count, and disarmed otherwise. FALSE when the controller did not take it.
    BOOL SetPowerOnMinutes(DWORD minutes, BOOL enable);

    HRESULT SetVideoProcAmp(long property, long value);
    HRESULT GetVideoProcAmp(long property, ProcAmpValue* record);
    // pin 1: the capture pin, any other: the preview pin. The caller frees the type.
    HRESULT GetMediaType(AM_MEDIA_TYPE** type, int pin);
    HRESULT GetCaptureFormat(CaptureFormat* format, int pin);
    HRESULT SetCaptureFormat(const CaptureFormat& format, int pin);
    void FindCapturePins();

    BOOL StartRemotePoll();
    void StopRemotePoll();
    BOOL SetRemotePollInterval(int ms);

    BOOL SetTunerFrequency(DWORD kHz);
    BOOL SetTunerStandard(long standard);
    // Empty without a tuner.
    std::vector<int> GetTunerStandards() const;
    BOOL IsScanning() const;
    BOOL SetFmScanStep(int step);
    BOOL SetFmScanRange(int low, int high);
    BOOL SetTvSweepSteps(int jump, int halfWidth);
    BOOL SetTvScanRange(int low, int high);
    BOOL SetFmFoundSkip(int skip);
    BOOL SetTvScanSettleTime(int ms);
    BOOL IsTvLocked();
    BOOL IsFmLocked();
    BOOL GetTvStatus(int* code);
    BOOL GetFmStatus(int* code);

    int GetAccessMode() const override { return m_accessMode; }
    int GetTunerModelId() const { return m_tunerModelId; }
    int GetSystemLetter() const { return m_systemLetter; }
    const char* GetTunerFilterName() const { return m_tunerFilterName.c_str(); }
    const char* GetTunerModelName() const;
    CTunerModel* GetTuner() const { return m_tuner; }
    // The card's register, GPIO and I2C access object; NULL while the device is not open.
    CI2CAccess* GetI2CAccess() const { return m_access; }
    virtual BOOL CanReadRemoteKey() const { return m_access != NULL; }
    virtual HWND GetNotifyWnd() const { return m_notifyWnd; }
    void SetNotifyWnd(HWND window) { m_notifyWnd = window; }
    virtual int GetPollInterval() const { return m_pollInterval; }

    typedef void (*DeviceCallback)(void*);
    // What the device-notify thread waits on and calls; safe from that thread.
    HANDLE GetDeviceEvent() const { return m_deviceEvent; }
    DeviceCallback GetDeviceCallback() const;

    // Every address from 0 to 255 that answers a one-byte read; FALSE when none does.
    BOOL ScanI2CBus(std::vector<BYTE>* found);
    BOOL IsTunerPresent(CTunerModel* tuner);
    BOOL ProbeTunerType(int typeId, DWORD kHz);
    BOOL ReplaceTuner(CTunerModel* tuner);
    BOOL ReadRegisterByte(DWORD reg, BYTE* value);
    HRESULT QueryTVTuner(void** out);

    // The maker family letter of a tuner type; FALSE (and 'N') for an id the table lacks.
    static BOOL LetterForTunerModel(int typeId, int* letter);

protected:
    // The card's TV-tuner filter, kept until the device goes.
    void SetTunerFilter(IBaseFilter* filter) { m_tunerFilter = filter; }
    void SetTunerFilterName(const char* name) { m_tunerFilterName = name; }
    // Takes ownership of access, deleting the one held.
    void SetAccess(CI2CAccess* access, int mode);
    // Waits for a low pulse on the GPIO line: the word read while the line was low.
    BOOL ReadGpioStrobedOn(DWORD line, DWORD* value);
    // The base audio switch on those GPIO bits.
    HRESULT SwitchAudioInput(int input, BOOL on, DWORD mask);
    // The driver notification's parts, for the classes whose driver signals an event.
    void StoreDeviceCallback(DeviceCallback callback);
    // Closes the event held and makes a new auto-reset one; NULL when that fails.
    HANDLE RenewDeviceEvent();
    // Deletes the thread held and starts a new one on the device event.
    BOOL StartNotifyThread();
    // Stops and deletes the thread; no callback runs after it returns.
    void DeleteNotifyThread();

private:
    void InitFields();

    CRemotePollThread* m_pollThread;
    CDeviceNotifyThread* m_notifyThread;
    // Written by the owner's thread, read by the notify thread.
    DeviceCallback volatile m_deviceCallback;
    HANDLE m_deviceEvent;
    CI2CAccess* m_access;
    // The window of the user interface that takes remote keys; not owned.
    HWND m_notifyWnd;
    CTunerModel* m_tuner;
    int m_accessMode;
    int m_systemLetter;
    int m_tunerModelId;
    CFilterPin* m_capturePin;
    CFilterPin* m_previewPin;
    CComRef<IBaseFilter> m_tunerFilter;
    std::string m_tunerFilterName;
    BYTE m_eepromLetterOffset;
    BYTE m_eepromModelOffset;
    BYTE m_eepromAddress;
    int m_pollInterval;
};
