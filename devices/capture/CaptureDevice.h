#pragma once

#include "CaptureFormatTable.h"
#include "FilterClassRecord.h"
#include "FilterWrapper.h"
#include "SignalSource.h"

#include <string>
#include <vector>

class CI2CAccess;
class CDeviceNotifyThread;
class CRemotePollThread;
class CTunerModel;

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
    // Closes any earlier access, then, holding the remote-control mutex, opens the access, finds
    // the capture pins, reads the tuner entry of the EEPROM and creates the tuner: TRUE when a
    // tuner was made.
    virtual BOOL InitDevice();

    // Through the filter's analog video decoder; E_FAIL without one.
    virtual HRESULT GetTVFormat(long* current, long* available);
    virtual HRESULT SetTVFormat(long format);
    virtual HRESULT SetAudioInput(int input, BOOL on);
    BOOL ReadRemoteKey(BYTE* key) override;
    // One bus write through the access object; E_FAIL while closed or when the length is
    // outside what the transport writes at once.
    virtual HRESULT WriteI2C(BYTE* data, int length);
    // Byte by byte at the EEPROM's address within its 256 bytes; the first byte that fails
    // ends the run with its error, *count being the bytes done. The write then waits pauseMs.
    virtual HRESULT WriteEeprom(BYTE* data, int offset, int* count, DWORD pauseMs);
    virtual HRESULT ReadEeprom(BYTE* data, int offset, int* count);
    virtual HRESULT OpenDeviceAccess();
    // Ends the notify thread and closes the device event, ends the remote poll, deletes the
    // tuner and the access; S_OK.
    virtual HRESULT CloseDeviceAccess();
    // The tuner of the EEPROM's model, else of the fallback type, whose id and letter the
    // device then takes; FALSE when neither could be made.
    virtual BOOL CreateTuner();
    // The system letter and tuner model from the EEPROM, the fallback letter and type where it
    // names none.
    virtual void ReadTunerInfo();
    // The EEPROM's configuration byte; 0 when it cannot be read.
    virtual BYTE ReadEepromConfigByte();
    // Scans the bus and gives the tuner the addresses that answer there, the EEPROM's left
    // out; the default addresses and FALSE when none answers.
    virtual BOOL DetectTunerAddress(CTunerModel* tuner);
    // Replaces the tuner by a model of that type, which keeps the old one's notify window, and
    // takes the type's letter; FALSE, the old tuner kept, when the model cannot be made.
    virtual BOOL SelectTunerModel(int typeId);
    // TRUE when a one-byte read at the address succeeds.
    virtual BOOL ProbeI2CAddress(BYTE address);
    // The EEPROM's letter byte ('N' unless a letter the program knows) and model byte; the
    // result of the model read.
    virtual HRESULT ReadEepromInfo(int* letter, int* model);
    // A model of that type on this device's access, for the caller to own; placed
    // by DetectTunerAddress when it does not answer at its own read address. NULL for a type
    // no model stands for.
    virtual CTunerModel* CreateTunerModel(int typeId);
    virtual BOOL SendGpioFrame(DWORD value, DWORD mask, DWORD ms);
    virtual BOOL ReadGpioStrobed(DWORD* value);
    virtual BOOL WriteMcuWord(WORD value);
    virtual BOOL ReadMcuWord(WORD* value);
    virtual BOOL McuHandshake(BOOL on);
    // The base has no driver value to set: FALSE.
    virtual BOOL SetDriverValue(DWORD value);
    // The card's driver notification: the callback runs on the device-notify thread with the
    // device as its argument. The base has no driver to ask: FALSE, FALSE, and TRUE after
    // deleting the thread.
    virtual BOOL SetDeviceCallback(void (*callback)(void*));
    virtual BOOL StartDeviceNotify(DWORD value);
    virtual BOOL StopDeviceNotify();
    // The video decoder's horizontal lock; *locked is non-zero while a picture is locked.
    HRESULT IsSignalLocked(long* locked) override;
    // The audio multiplexer's GPIO lines: input 1 to 3 switched in when on, the multiplexer
    // off otherwise; E_FAIL while closed.
    virtual HRESULT SetAudioMux(int input, BOOL on);
    // The card's id words (high word first) through its property set; FALSE without them.
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
    BOOL CanReadRemoteKey() const override { return m_access != NULL; }
    HWND GetNotifyWnd() const override { return m_notifyWnd; }
    void SetNotifyWnd(HWND window) { m_notifyWnd = window; }
    int GetPollInterval() const override { return m_pollInterval; }

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
    IBaseFilter* GetTunerFilter() const { return m_tunerFilter.Get(); }
    void SetTunerFilterName(const char* name) { m_tunerFilterName = name; }
    // Where the EEPROM keeps the tuner's letter and model.
    void SetEepromOffsets(BYTE letterOffset, BYTE modelOffset)
    {
        m_eepromLetterOffset = letterOffset;
        m_eepromModelOffset = modelOffset;
    }
    BYTE GetEepromAddress() const { return m_eepromAddress; }
    void SetEepromAddress(BYTE address) { m_eepromAddress = address; }
    // One EEPROM byte; 0 when it cannot be read.
    BYTE ReadEepromByte(int offset);
    // SetCaptureFormat with a device class's own subtype codes.
    HRESULT WriteCaptureFormat(const CCaptureFormatTable& formats, const CaptureFormat& format, int pin);
    void SetTunerInfo(int letter, int typeId)
    {
        m_systemLetter = letter;
        m_tunerModelId = typeId;
    }
    void DeleteTuner();
    // What InitDevice starts from: closed, no pins, no notify window, no tuner entry.
    void ResetDevice();
    // Opens the access and, when it opened, finds the capture pins, reads the tuner entry and
    // creates the tuner; TRUE when a tuner was made. The caller holds the remote-control mutex.
    BOOL OpenWithTuner();
    // The card's GPIO word after the previous audio source has faded out; E_FAIL while closed.
    HRESULT ReadGpioForAudioSwitch(DWORD* word);
    // Takes ownership of access, deleting the one held.
    void SetAccess(CI2CAccess* access, int mode);
    // Attaches a new access object and keeps it in that mode; E_OUTOFMEMORY for a null one,
    // and a failed attach deletes it and passes its result on.
    HRESULT OpenAccess(CI2CAccess* access, int mode, IUnknown* filter, void* context);
    // Waits for a low pulse on the GPIO line: the word read while the line was low.
    BOOL ReadGpioStrobedOn(DWORD line, DWORD* value);
    // The base audio switch on those GPIO bits.
    HRESULT SwitchAudioInput(int input, BOOL on, DWORD mask);
    // The driver notification's parts, for the classes whose driver signals an event.
    void StoreDeviceCallback(DeviceCallback callback);
    // Ends the notify thread, which waits on the event, closes the event held and makes a new
    // auto-reset one; NULL when that fails.
    HANDLE RenewDeviceEvent();
    // Deletes the thread held and starts a new one on the device event; FALSE without one.
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
