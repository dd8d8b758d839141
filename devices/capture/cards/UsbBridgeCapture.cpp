#include "UsbBridgeCapture.h"

#include "TunerModel.h"
#include "TunerModelRecord.h"
#include "TunerTypeTable.h"
#include "UsbBridgeI2C.h"

#include <algorithm>

#include <new>

namespace
{
const char kDefaultBoxName[] = "USB 2800 Video";
// These boxes keep the tuner's letter and model further up their EEPROM.
const BYTE kEepromLetterOffset = 0xC0;
const BYTE kEepromModelOffset = 0xC1;

const DWORD kAudioSwitchDelayMs = 300;
// The box's GPIO byte: bits 0-2 choose the sound input, bits 2-3 belong to the box.
const DWORD kAudioKeptBits = 0x0C;
const DWORD kAudioOffBits = 0x07;
const DWORD kAudioInputCodes[] = {1, 2, 0};

const DWORD kKeyAcknowledgeMs = 10;

struct TunerCode
{
    BYTE code;
    int tunerType;
};
// The key controller's register 50; code 0 leaves the choice to the EEPROM.
const TunerCode kTunerCodes[] = {
    // code, tuner type
    {1, 3}, {2, 2}, {3, 1}, {4, 14}, {5, 5}, {6, 11},
};
}

CUsbBridgeCapture::CUsbBridgeCapture(CGraphBuilder* graph, REFCLSID clsid) : CCaptureDevice(graph, clsid)
{
    InitBox();
}

CUsbBridgeCapture::CUsbBridgeCapture(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                     int matchMode)
    : CCaptureDevice(graph, category, friendlyName, matchMode)
{
    InitBox();
}

CUsbBridgeCapture::CUsbBridgeCapture(CGraphBuilder* graph, IBaseFilter* filter) : CCaptureDevice(graph, filter)
{
    InitBox();
}

void CUsbBridgeCapture::InitBox()
{
    SetEepromOffsets(kEepromLetterOffset, kEepromModelOffset);
}

void CUsbBridgeCapture::Configure()
{
    SetBoxName(kDefaultBoxName);
}

HRESULT CUsbBridgeCapture::OpenDeviceAccess()
{
    SetAccess(NULL, kNotOpen);
    return OpenAccess(new (std::nothrow) CUsbBridgeI2C(), kUsbBridge, NULL, (void*)m_boxName.c_str());
}

// Where the two sentences of the switch disagree, an input without a code writes the word
// back unchanged.
HRESULT CUsbBridgeCapture::SetAudioInput(int input, BOOL on)
{
    CI2CAccess* access = GetI2CAccess();
    if (!access)
        return E_FAIL;
    Sleep(kAudioSwitchDelayMs);
    DWORD word = 0;
    HRESULT hr = access->ReadGpio(&word);
    if (FAILED(hr))
        return hr;
    if (!on)
        word |= kAudioOffBits;
    else if (input >= 0 && input < (int)(sizeof(kAudioInputCodes) / sizeof(kAudioInputCodes[0])))
        word = (word & kAudioKeptBits) | kAudioInputCodes[input];
    return access->WriteGpio(word, 0);
}

BOOL CUsbBridgeCapture::ReadRemoteKey(BYTE* key)
{
    CI2CAccess* access = GetI2CAccess();
    BYTE waiting = 0;
    if (!key || !access || FAILED(access->ReadByte(kKeyController, kKeyWaiting, &waiting)) || waiting != 1)
        return FALSE;
    if (AcknowledgesKeys()) {
        if (FAILED(access->WriteByte(kKeyController, kKeyWaiting, 0)))
            return FALSE;
        Sleep(kKeyAcknowledgeMs);
    }
    return SUCCEEDED(access->ReadByte(kKeyController, kKeyCode, key));
}

HRESULT CUsbBridgeCapture::ReadEepromInfo(int* letter, int* model)
{
    int ownLetter = 'N', ownModel = 0;
    if (!letter)
        letter = &ownLetter;
    if (!model)
        model = &ownModel;
    *letter = 'N';
    *model = 0;
    CI2CAccess* access = GetI2CAccess();
    BYTE code = 0;
    if (!access)
        return E_FAIL;
    HRESULT hr = access->ReadByte(kKeyController, kTunerCode, &code);
    *letter = 'T';
    if (code == 0) {
        int eepromLetter = 'N';
        int unused = 'N';
        hr = CCaptureDevice::ReadEepromInfo(&eepromLetter, model);
        if (FAILED(hr) || *model == 0 || !LetterForTunerModel(*model, &unused))
            *model = kNoEepromTuner;
        return hr;
    }
    *model = kUnknownCodeTuner;
    for (const TunerCode& row : kTunerCodes) {
        if (row.code == code)
            *model = row.tunerType;
    }
    return hr;
}

void CUsbBridgeCapture::ReadTunerInfo()
{
    int letter = 'N', model = 0;
    ReadEepromInfo(&letter, &model);
    SetTunerInfo(letter, model);
    int eepromLetter = 'N', eepromModel = 0;
    CCaptureDevice::ReadEepromInfo(&eepromLetter, &eepromModel);
    if (eepromModel == kEepromOnlyTuner)
        SetTunerInfo(eepromLetter, kEepromOnlyTuner);
}

BOOL CUsbBridgeCapture::CreateTuner()
{
    int typeId = GetTunerModelId();
    if (typeId == 0)
        return FALSE;
    CTunerTypeTable* tuner = new (std::nothrow) CTunerTypeTable(GetI2CAccess());
    if (!tuner)
        return FALSE;
    CTunerModel* factory = NewTunerModel(typeId, GetI2CAccess());
    tuner->CopyModelParams(factory);
    delete factory;
    tuner->SetOwnerDevice(this);
    tuner->SetAddresses(tuner->GetReadAddress(), kTunerWriteAddress);
    if (!ProbeI2CAddress(kDemodAddress) && ProbeI2CAddress(kAltDemodAddress))
        tuner->SetDemodAddress(kAltDemodAddress);
    return ReplaceTuner(tuner);
}

BOOL CUsbBridgeCapture::SelectTunerModel(int typeId)
{
    HWND window = GetTuner() ? GetTuner()->GetNotifyWnd() : NULL;
    DeleteTuner();
    int letter = 'N';
    LetterForTunerModel(typeId, &letter);
    SetTunerInfo(letter, typeId);
    BOOL created = CreateTuner();
    if (GetTuner())
        GetTuner()->SetNotifyWnd(window);
    return created;
}

int CUsbBridgeCapture::ScanTunerBus(BYTE* found, int count)
{
    CUsbBridgeI2C* bridge = dynamic_cast<CUsbBridgeI2C*>(GetI2CAccess());
    if (!found || count <= 0 || !bridge || !GetTuner())
        return 0;
    std::vector<BYTE> addresses;
    bridge->ScanBus(&addresses, 254, GetTuner()->GetLockMask());
    int n = std::min(count, (int)addresses.size());
    std::copy(addresses.begin(), addresses.begin() + n, found);
    return n;
}

BOOL CUsbBridgeCapture::GetDemodAddress(BYTE* address)
{
    CTunerTypeTable* tuner = dynamic_cast<CTunerTypeTable*>(GetTuner());
    if (!address || !tuner)
        return FALSE;
    *address = tuner->GetDemodAddress();
    return TRUE;
}
