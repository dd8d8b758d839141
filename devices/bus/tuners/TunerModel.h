#pragma once

#include <windows.h>

#include <vector>

class CFmScanThread;
class CI2CAccess;
class ISignalSource;
class CTvScanThread;

// One kind of TV/FM tuner module on the card's I2C bus: its band limits and split points,
// intermediate frequencies, control and band bytes, addresses and status codes, and the
// classic PLL programming (a five-byte write of divider, control byte and band byte). The
// module classes derive from it and change the parameters in their constructors; some of
// them replace the tuning and status operations. The model also owns the scan threads.
//
// Frequencies are kHz: floats in arguments, integers in fields.
//
// The base destructor stops the scan threads, which call the virtual operations: a subclass
// whose replaced operations use its own members must call StopScan in its destructor.
class CTunerModel
{
public:
    // The status code of a read that yielded none. No module reports it, so a status call
    // that leaves the code alone never passes for lock.
    enum { kNoCode = -1 };

    explicit CTunerModel(CI2CAccess* access);
    virtual ~CTunerModel();

    virtual BOOL SetFmFrequency(float kHz);
    virtual BOOL GetFmStatus(int* code);
    // GetFmStatus gave the module's FM lock code.
    virtual BOOL IsFmLocked();
    virtual BOOL IsTvLocked();
    virtual BOOL SetTvFrequency(float kHz);
    virtual BOOL GetTvStatus(int* code);
    // A new suspended scan thread over this model in place of the last one; FALSE when it
    // could not be made.
    virtual BOOL CreateFmScanThread();
    virtual BOOL CreateTvScanThread();
    virtual BOOL SetVideoStandard(int standard);
    // TRUE when the owner device answered; *locked is then its picture-lock flag.
    virtual BOOL IsSignalLocked(int* locked);

    // tv: a TV scan (sweep: over the sweep range, else over the channel table); else FM.
    BOOL StartScan(BOOL tv, BOOL sweep);
    // Returns once both scan threads have ended.
    void StopScan();
    BOOL IsScanning() const;

    HWND GetNotifyWnd() const { return m_notifyWnd; }
    void SetNotifyWnd(HWND window) { m_notifyWnd = window; }
    BYTE GetReadAddress() const { return m_readAddress; }
    // The status bit that marks a valid status byte.
    BYTE GetLockMask() const { return m_lockMask; }
    // Where the device found the module on its bus.
    void SetAddresses(BYTE read, BYTE write)
    {
        m_readAddress = read;
        m_writeAddress = write;
    }
    BOOL GetReapplyStandard() const { return m_reapplyStandard; }
    int GetVideoStandard() const { return m_videoStandard; }
    void StoreVideoStandard(int standard) { m_videoStandard = standard; }
    const std::vector<int>& GetSupportedStandards() const { return m_supportedStandards; }
    // The device whose picture lock confirms a tuned channel; not owned.
    void SetOwnerDevice(ISignalSource* device) { m_ownerDevice = device; }

    // Picture-carrier frequencies in MHz for the channel-table scan. The model keeps a copy,
    // so the caller may free or reuse its array at once.
    BOOL SetChannelTable(const float* mhz, int count);
    const std::vector<float>& GetChannelTable() const { return m_channelTable; }

    BOOL SetFmScanStep(int step);
    BOOL SetFmScanRange(int low, int high);
    BOOL SetFmFoundSkip(int skip);
    BOOL SetTvSweepSteps(int jump, int halfWidth);
    BOOL SetTvScanRange(int low, int high);
    void SetTvScanTableWindow(int kHz);
    void SetTvScanStep2(int kHz);
    void SetTvScanSettleTime(int ms);

    int GetBandLow() const { return m_bandLow; }
    int GetBandHigh() const { return m_bandHigh; }
    int GetFmLow() const { return m_fmLow; }
    int GetFmHigh() const { return m_fmHigh; }
    int GetTypeId() const { return m_typeId; }
    BOOL IsFmSupported() const { return m_fmSupported; }
    int GetFmStep() const { return m_fmStep; }
    int GetFmLockCode() const { return m_fmLockCode; }
    int GetAfcCodeUp125() const { return m_afcCodeUp125; }
    int GetAfcCodeUp62() const { return m_afcCodeUp62; }
    int GetInTuneCode() const { return m_inTuneCode; }
    int GetAfcCodeDown62() const { return m_afcCodeDown62; }
    int GetAfcCodeDown125() const { return m_afcCodeDown125; }

protected:
    // One-byte status read at the read address: FALSE without the lock bit.
    BOOL ReadStatus(int* code);
    BOOL WriteTuning(WORD divider, BYTE control, BYTE band);
    // The owner device's access mode (CCaptureDevice::GetAccessMode); 0 without an owner.
    int GetOwnerAccessMode() const;

    CI2CAccess* m_access;           // not owned: the capture device owns the transport

    int m_bandLow;
    int m_lowBandEnd;               // below it the low band byte
    int m_midBandStart;
    int m_midBandEnd;               // from it on the high band byte
    int m_highBandStart;
    int m_bandHigh;
    int m_fmLow;
    int m_fmHigh;
    BOOL m_fmSupported;
    int m_tvIf;
    int m_fmIf;

    int m_tvTableWindow;            // half-width of the search around a table frequency
    int m_tvStep2;
    int m_fmStep;
    int m_fmFoundSkip;              // from a found FM station to the next try
    int m_tvSweepJump;              // from a found channel to the next sweep centre
    int m_tvSweepHalfWidth;
    int m_settleTime;               // ms after each tuning step of the TV scan
    int m_sweepLow;
    int m_sweepHigh;

    BYTE m_lowBandByte;
    BYTE m_midBandByte;
    BYTE m_highBandByte;
    BYTE m_tvControlByte;
    BYTE m_lockMask;                // status bit that must be set for a valid status
    BYTE m_readAddress;
    BYTE m_writeAddress;
    BYTE m_fmControlByte;
    BYTE m_fmBandByte;

    // Status codes of the five AFC positions, and of FM lock.
    int m_afcCodeUp125;
    int m_afcCodeUp62;
    int m_inTuneCode;
    int m_afcCodeDown62;
    int m_afcCodeDown125;
    int m_fmLockCode;

    int m_makerLetter;
    int m_typeId;
    int m_secondTypeId;
    BOOL m_reapplyStandard;         // the device sets the standard again after each tuning
    int m_videoStandard;            // AnalogVideoStandard, stored by the device
    std::vector<int> m_supportedStandards;

private:
    CTunerModel(const CTunerModel&);
    CTunerModel& operator=(const CTunerModel&);

    friend class CFmScanThread;
    friend class CTvScanThread;
    // Copies another model's constants (CopyModelParams).
    friend class CTunerTypeTable;
    // Called by a scan thread as it ends.
    void EndScan() { InterlockedExchange(&m_scanning, FALSE); }
    void DeleteScanThreads();

    std::vector<float> m_channelTable;
    HWND m_notifyWnd;
    ISignalSource* m_ownerDevice;  // not owned: the device owns the model

    // Owned; created by StartScan, deleted by StopScan, the next StartScan or the destructor.
    CTvScanThread* m_tvScanThread;
    CFmScanThread* m_fmScanThread;
    // Set by StartScan on the user-interface thread, cleared by the scan thread as it ends.
    volatile LONG m_scanning;
};
