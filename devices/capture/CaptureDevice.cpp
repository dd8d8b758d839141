#include "CaptureDevice.h"

#include "DeviceNotifyThread.h"
#include "I2CAccess.h"
#include "KsDeviceI2C.h"
#include "KsPropertyI2C.h"
#include "NamedMutex.h"
#include "RemotePollThread.h"
#include "TransportSets.h"
#include "TunerModel.h"

namespace {

// The device-control transport's bit-level I2C property, and the register set's id words.
const DWORD kDeviceControlI2CProperty = 4;
const DWORD kIdWordsProperty = 0;
// EEPROM sub-address of the card's configuration byte.
const int kEepromConfigOffset = 7;
const int kEepromSize = 256;
// Held while the device opens, so a remote key read never meets a half-made device.
const char kRemoteMutexName[] = "Mutex_Remote_Control";

BOOL IsPropertySupported(IKsPropertySet* set, const GUID& propertySet, DWORD id)
{
    DWORD support = 0;
    return SUCCEEDED(set->QuerySupported(propertySet, id, &support)) && support != 0;
}

} // namespace

CCaptureDevice::CCaptureDevice(CGraphBuilder* graph, REFCLSID clsid) : CFilterWrapper(graph, clsid)
{
    InitFields();
}

CCaptureDevice::CCaptureDevice(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    InitFields();
}

CCaptureDevice::CCaptureDevice(CGraphBuilder* graph, IBaseFilter* filter) : CFilterWrapper(graph, filter)
{
    InitFields();
}

CCaptureDevice::~CCaptureDevice()
{
    CloseDeviceAccess();
}

void CCaptureDevice::InitFields()
{
    m_pollThread = NULL;
    m_notifyThread = NULL;
    m_deviceCallback = NULL;
    m_deviceEvent = NULL;
    m_access = NULL;
    m_notifyWnd = NULL;
    m_tuner = NULL;
    m_accessMode = kNotOpen;
    m_systemLetter = 'N';
    m_tunerModelId = 0;
    m_capturePin = NULL;
    m_previewPin = NULL;
    m_eepromLetterOffset = 0x20;
    m_eepromModelOffset = 0x21;
    m_eepromAddress = 0xA0;
    m_pollInterval = 100;
}

void CCaptureDevice::Open()
{
    Configure();
    SetValid(InitDevice());
}

CFilterPin* CCaptureDevice::FindPin(const char* name)
{
    if (name && strcmp(name, "Capture") == 0 && m_capturePin)
        return m_capturePin;
    if (name && strcmp(name, "Preview") == 0 && m_previewPin)
        return m_previewPin;
    return CFilterWrapper::FindPin(name);
}

BOOL CCaptureDevice::InitDevice()
{
    ResetDevice();
    if (!CFilterWrapper::Init())
        return FALSE;
    CNamedMutex mutex(kRemoteMutexName, FALSE);
    if (!mutex.Lock())
        return FALSE;
    BOOL created = OpenWithTuner();
    mutex.Unlock();
    return created;
}

void CCaptureDevice::ResetDevice()
{
    CloseDeviceAccess();
    m_capturePin = NULL;
    m_previewPin = NULL;
    m_notifyWnd = NULL;
    m_systemLetter = 'N';
    m_tunerModelId = 0;
}

BOOL CCaptureDevice::OpenWithTuner()
{
    // Access mode 0 is also the mode of a box whose transport takes unaddressed messages, so
    // the access object, not the mode, tells whether the device opened.
    HRESULT hr = OpenDeviceAccess();
    if (FAILED(hr) || !m_access)
        return FALSE;
    FindCapturePins();
    ReadTunerInfo();
    return CreateTuner();
}

void CCaptureDevice::SetAccess(CI2CAccess* access, int mode)
{
    delete m_access;
    m_access = access;
    m_accessMode = access ? mode : kNotOpen;
}

HRESULT CCaptureDevice::OpenAccess(CI2CAccess* access, int mode, IUnknown* filter, void* context)
{
    if (!access)
        return E_OUTOFMEMORY;
    HRESULT hr = access->Attach(filter, context);
    if (FAILED(hr)) {
        delete access;
        return hr;
    }
    SetAccess(access, mode);
    return hr;
}

HRESULT CCaptureDevice::OpenDeviceAccess()
{
    SetAccess(NULL, kNotOpen);
    if (!GetFilter())
        return E_POINTER;
    CComRef<IKsPropertySet> set;
    if (FAILED(GetFilter()->QueryInterface(IID_IKsPropertySet, set.ReceiveVoid())))
        return E_FAIL;
    CI2CAccess* access = NULL;
    int mode = kNotOpen;
    if (IsPropertySupported(set.Get(), kDeviceControlSet, kDeviceControlI2CProperty)) {
        access = new (std::nothrow) CKsDeviceI2C();
        mode = kDeviceControl;
    } else if (IsPropertySupported(set.Get(), kCaptureI2CSet, kIdWordsProperty)) {
        access = new (std::nothrow) CKsPropertyI2C();
        mode = kPropertySet;
    } else {
        return E_FAIL;
    }
    HRESULT hr = OpenAccess(access, mode, GetFilter(), this);
    if (FAILED(hr))
        return hr;
    if (access->SendBusControl(1) != S_OK)
        return E_FAIL;
    if (mode == kDeviceControl)
        access->SendDeviceControl(1);
    return S_OK;
}

HRESULT CCaptureDevice::CloseDeviceAccess()
{
    // The thread itself, not StopDeviceNotify: a driver's stop request has no place here.
    DeleteNotifyThread();
    // The driver's event goes with the access: nothing waits on it any more.
    if (m_deviceEvent) {
        CloseHandle(m_deviceEvent);
        m_deviceEvent = NULL;
    }
    StopRemotePoll();
    delete m_tuner;
    m_tuner = NULL;
    SetAccess(NULL, kNotOpen);
    return S_OK;
}

HRESULT CCaptureDevice::WriteI2C(BYTE* data, int length)
{
    if (!data)
        return E_INVALIDARG;
    if (length < CI2CAccess::kMinWriteLength || length > CI2CAccess::kMaxBlockLength || !m_access)
        return E_FAIL;
    return m_access->Write(data, length);
}

static HRESULT CheckEepromRange(const BYTE* data, int offset, const int* count)
{
    if (!data || !count || *count < 1 || (offset & 0xFF) + *count > kEepromSize)
        return E_INVALIDARG;
    return S_OK;
}

// Stops at the first byte that fails: the bytes after it would land on a part that no
// longer answers, and the caller must learn that the image is incomplete.
HRESULT CCaptureDevice::WriteEeprom(BYTE* data, int offset, int* count, DWORD pauseMs)
{
    HRESULT hr = CheckEepromRange(data, offset, count);
    if (FAILED(hr))
        return hr;
    if (!m_access)
        return E_FAIL;
    int written = 0;
    for (; written < *count; ++written) {
        hr = m_access->WriteByte(m_eepromAddress, (offset + written) & 0xFF, data[written]);
        if (FAILED(hr))
            break;
    }
    *count = written;
    Sleep(pauseMs);
    return hr;
}

// A failed byte ends the read with its error and the count read so far, instead of
// passing the remaining bytes off as read.
HRESULT CCaptureDevice::ReadEeprom(BYTE* data, int offset, int* count)
{
    HRESULT hr = CheckEepromRange(data, offset, count);
    if (FAILED(hr))
        return hr;
    if (!m_access)
        return E_FAIL;
    int read = 0;
    for (; read < *count; ++read) {
        hr = m_access->ReadByte(m_eepromAddress, (offset + read) & 0xFF, &data[read]);
        if (FAILED(hr))
            break;
    }
    *count = read;
    return hr;
}

BYTE CCaptureDevice::ReadEepromConfigByte()
{
    return ReadEepromByte(kEepromConfigOffset);
}

BYTE CCaptureDevice::ReadEepromByte(int offset)
{
    BYTE value = 0;
    if (!m_access || FAILED(m_access->ReadByte(m_eepromAddress, offset, &value)))
        return 0;
    return value;
}

HRESULT CCaptureDevice::ReadEepromInfo(int* letter, int* model)
{
    if (!m_access)
        return E_FAIL;
    BYTE value = 0;
    HRESULT hr = m_access->ReadByte(m_eepromAddress, m_eepromLetterOffset, &value);
    if (SUCCEEDED(hr) && letter)
        *letter = strchr("AEGLPTX", value) && value ? value : 'N';
    hr = m_access->ReadByte(m_eepromAddress, m_eepromModelOffset, &value);
    if (SUCCEEDED(hr) && model)
        *model = value;
    return hr;
}

void CCaptureDevice::ReadTunerInfo()
{
    ReadEepromInfo(&m_systemLetter, &m_tunerModelId);
    if (m_systemLetter == 'N')
        m_systemLetter = kFallbackLetter;
    if (m_tunerModelId == 0 || m_tunerModelId == 255)
        m_tunerModelId = kFallbackTunerType;
}

BOOL CCaptureDevice::ProbeI2CAddress(BYTE address)
{
    BYTE buffer[1] = {address};
    return m_access && SUCCEEDED(m_access->Read(buffer, 1));
}

BOOL CCaptureDevice::ReadRegisterByte(DWORD reg, BYTE* value)
{
    return m_access && SUCCEEDED(m_access->ReadRegByte(reg, value));
}

BOOL CCaptureDevice::StartRemotePoll()
{
    StopRemotePoll();
    m_pollThread = new (std::nothrow) CRemotePollThread(this);
    if (!m_pollThread)
        return FALSE;
    m_pollThread->Resume();
    return TRUE;
}

void CCaptureDevice::StopRemotePoll()
{
    delete m_pollThread;
    m_pollThread = NULL;
}

BOOL CCaptureDevice::SetRemotePollInterval(int ms)
{
    if (ms < 1)
        return FALSE;
    m_pollInterval = ms;
    if (m_pollThread)
        m_pollThread->SetPeriod(ms);
    return TRUE;
}

BOOL CCaptureDevice::SetDriverValue(DWORD)
{
    return FALSE;
}

BOOL CCaptureDevice::SetDeviceCallback(void (*)(void*))
{
    return FALSE;
}

BOOL CCaptureDevice::StartDeviceNotify(DWORD)
{
    return FALSE;
}

BOOL CCaptureDevice::StopDeviceNotify()
{
    DeleteNotifyThread();
    return TRUE;
}

CCaptureDevice::DeviceCallback CCaptureDevice::GetDeviceCallback() const
{
    return m_deviceCallback;
}

void CCaptureDevice::StoreDeviceCallback(DeviceCallback callback)
{
    m_deviceCallback = callback;
}

HANDLE CCaptureDevice::RenewDeviceEvent()
{
    // The thread waits on the event: it must not outlive it.
    DeleteNotifyThread();
    if (m_deviceEvent)
        CloseHandle(m_deviceEvent);
    m_deviceEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    return m_deviceEvent;
}

BOOL CCaptureDevice::StartNotifyThread()
{
    DeleteNotifyThread();
    if (!m_deviceEvent)
        return FALSE;
    m_notifyThread = new (std::nothrow) CDeviceNotifyThread(this);
    if (!m_notifyThread)
        return FALSE;
    m_notifyThread->Resume();
    return TRUE;
}

void CCaptureDevice::DeleteNotifyThread()
{
    delete m_notifyThread;
    m_notifyThread = NULL;
}

BOOL CCaptureDevice::GetDeviceProperty(DWORD* value)
{
    if (!value || !GetFilter())
        return FALSE;
    CComRef<IKsPropertySet> set;
    if (FAILED(GetFilter()->QueryInterface(IID_IKsPropertySet, set.ReceiveVoid())))
        return FALSE;
    DWORD support = 0;
    if (FAILED(set->QuerySupported(kCaptureI2CSet, kIdWordsProperty, &support)))
        return FALSE;
    // The driver reads the instance from the data buffer's tail, as every request of the set.
    BYTE buffer[48] = {0};
    DWORD returned = 0;
    if (FAILED(set->Get(kCaptureI2CSet, kIdWordsProperty, buffer + 24, 24, buffer, sizeof(buffer), &returned)))
        return FALSE;
    WORD low, high;
    memcpy(&low, buffer + 24, sizeof(low));
    memcpy(&high, buffer + 26, sizeof(high));
    *value = ((DWORD)high << 16) | low;
    return TRUE;
}

HRESULT CCaptureDevice::QueryTVTuner(void** out)
{
    if (!m_tunerFilter || !out)
        return E_POINTER;
    return m_tunerFilter->QueryInterface(IID_IAMTVTuner, out);
}
