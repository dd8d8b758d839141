#pragma once

#include "CaptureDevice.h"

#include <string>

// The USB 2800-family boxes: the bridge transport found by the box's capture name, the audio
// input on the box's GPIO byte, and a key controller at I2C 0xBB that also tells which tuner
// the board carries. Each box class names itself in Configure.
class CUsbBridgeCapture : public CCaptureDevice
{
public:
    // The box's key controller and its registers.
    enum { kKeyController = 0xBB, kKeyWaiting = 48, kKeyCode = 49, kTunerCode = 50 };
    // The board's tuner when its code names none, and when the EEPROM names none either.
    enum { kUnknownCodeTuner = 4, kNoEepromTuner = 93 };
    // The model byte of the one tuner a box's EEPROM may name over the controller's code.
    enum { kEepromOnlyTuner = 69 };
    // The tuner's write address, and the demodulator addresses the boxes carry.
    enum { kTunerWriteAddress = 0xC6, kDemodAddress = 0x42, kAltDemodAddress = 0x4B };

    CUsbBridgeCapture(CGraphBuilder* graph, REFCLSID clsid);
    CUsbBridgeCapture(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    CUsbBridgeCapture(CGraphBuilder* graph, IBaseFilter* filter);

    void Configure() override;
    HRESULT OpenDeviceAccess() override;
    HRESULT SetAudioInput(int input, BOOL on) override;
    BOOL ReadRemoteKey(BYTE* key) override;
    HRESULT ReadEepromInfo(int* letter, int* model) override;
    void ReadTunerInfo() override;
    // A table tuner with the factory model's parameters at write address 0xC6, its
    // demodulator at 0x4B when 0x42 does not answer and 0x4B does; FALSE for model 0.
    BOOL CreateTuner() override;
    // Replaces the tuner by one of that type, which keeps the old one's notify window; the
    // id and its letter are taken even when the new tuner cannot be made.
    BOOL SelectTunerModel(int typeId) override;

    // The addresses whose one-byte read answers with a bit of the tuner's lock mask set;
    // returns how many were found (0 without a tuner or the bridge transport).
    int ScanTunerBus(BYTE* found, int count);
    BOOL GetDemodAddress(BYTE* address);

    const char* GetBoxName() const { return m_boxName.c_str(); }

protected:
    void SetBoxName(const char* name) { m_boxName = name; }
    // Whether a waiting key is acknowledged before it is read.
    virtual BOOL AcknowledgesKeys() const { return FALSE; }

private:
    void InitBox();

    std::string m_boxName;
};
