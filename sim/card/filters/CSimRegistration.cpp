#include "CSimRegistration.h"

#include "CSimAudioFilter.h"
#include "CSimCaptureFilter.h"
#include "CSimConfig.h"
#include "CSimCrossbarFilter.h"
#include "CSimDeviceIoDevice.h"
#include "CSimDriverPage.h"
#include "CSimInstanceKeys.h"
#include "CSimText.h"
#include "CSimTunerFilter.h"
#include "ComRef.h"
#include "SimGuids.h"

#include <string.h>

#include <vector>

namespace
{
struct FilterRow
{
    const CLSID* clsid;
    const WCHAR* name;
    CComServer::CreateFunction create;
    const CLSID* category;
    CSimInstanceKeys::Role role;
};

const FilterRow FILTERS[CSimInstanceKeys::ROLE_COUNT] = {
    // class             friendly name                            create                                  category                        role
    { &CLSID_SimCapture,  L"Conexant 2388x_1 Video Capture", CSimFilter::Create<CSimCaptureFilter>,  &CLSID_VideoInputDeviceCategory, CSimInstanceKeys::ROLE_CAPTURE },
    { &CLSID_SimCrossbar, L"Conexant 2388x_1 Crossbar",      CSimFilter::Create<CSimCrossbarFilter>, &AM_KSCATEGORY_CROSSBAR,         CSimInstanceKeys::ROLE_CROSSBAR },
    { &CLSID_SimTuner,    L"Conexant 2388x_1 Tuner",         CSimFilter::Create<CSimTunerFilter>,    &AM_KSCATEGORY_TVTUNER,          CSimInstanceKeys::ROLE_TUNER },
    { &CLSID_SimAudio,    L"Conexant 2388x_1 Audio Capture", CSimFilter::Create<CSimAudioFilter>,    &CLSID_AudioInputDeviceCategory, CSimInstanceKeys::ROLE_AUDIO },
    { &CLSID_SimAudio,    nullptr,                           CSimFilter::Create<CSimAudioFilter>,    &CATEGORY_SimKsAudio,            CSimInstanceKeys::ROLE_KSAUDIO },
};

// Card 0 is always the 2388x card, without the kernel-streaming audio entry.
const size_t CARD0_ROLES = 4;

// The names a driver registers its filters under, by role (NULL: no such filter), and the
// front end its filters put over the card. Drivers of one front end differ only in names.
struct FamilyNames
{
    const char* family;
    DWORD frontEnd;
    const WCHAR* names[CSimInstanceKeys::ROLE_COUNT];
};

const FamilyNames FAMILIES[] = {
    { "2388x",   SIM_FAMILY_2388X,   { FILTERS[0].name, FILTERS[1].name, FILTERS[2].name, FILTERS[3].name, nullptr } },
    { "usb2800", SIM_FAMILY_USB2800, { L"USB 2800 Video", nullptr, nullptr, L"USB EMP Audio Device", L"USB EMP Audio Device" } },
    { "tunnel",  SIM_FAMILY_TUNNEL,  { L"TridVid Capture", L"TridVid Crossbar", nullptr, nullptr, nullptr } },
    { "trident", SIM_FAMILY_TUNNEL,  { L"Trident USB Capture", L"Trident USB Crossbar", nullptr, nullptr, nullptr } },
    { "ut800",   SIM_FAMILY_TUNNEL,  { L"UT800 Capture", L"UT800 Crossbar", nullptr, nullptr, nullptr } },
    { "ut810",   SIM_FAMILY_TUNNEL,  { L"UT810 Capture", L"UT810 Crossbar", nullptr, nullptr, nullptr } },
    { "bus16",   SIM_FAMILY_BUS16,   { L"Conexant Raptor Video Capture", nullptr, nullptr, nullptr, nullptr } },
    { "usbcam",  SIM_FAMILY_USBCAM,  { L"Usb_Cam_Capture", nullptr, nullptr, nullptr, nullptr } },
    { "go7007",  SIM_FAMILY_GO7007,  { L"UT400 A/V Capture", L"UT400 CrossBar", nullptr, nullptr, nullptr } },
    { "713x_IO",  SIM_FAMILY_713X_IO,    { L"713x_IO TV Card Capture", L"713x_IO TV Card Crossbar", nullptr, nullptr, nullptr } },
    { "713x_3",   SIM_FAMILY_713X_3,     { L"713x_3 TV Card Capture", L"713x_3 TV Card Crossbar", L"PhTVTune", nullptr, nullptr } },
    { "713x_PIP", SIM_FAMILY_713X_PIP,   { L"713x_PIP TV Card Capture", L"713x_PIP TV Card Crossbar", L"PhTVTune", nullptr, nullptr } },
    { "dorin",    SIM_FAMILY_DORIN,      { L"Dorin Video Capture", L"Dorin Crossbar", L"PhTVTune", nullptr, nullptr } },
    { "pelta",    SIM_FAMILY_PELTA,      { L"Pelta Video Capture", L"Pelta Crossbar", L"PhTVTune", nullptr, nullptr } },
    { "tessel",   SIM_FAMILY_MCU_CARD,   { L"Quorvex Tessel Capture Card", L"Quorvex Tessel Crossbar", L"Quorvex Tessel Tuner", nullptr, nullptr } },
    { "mcu2388x", SIM_FAMILY_MCU_2388X,  { L"2388x Video Capture", L"2388x Crossbar", L"2388x Tuner", nullptr, nullptr } },
    { "rv5200",  SIM_FAMILY_2388X,   { L"ReWell RV5200 TV Capture", L"ReWell RV5200 TV Crossbar", nullptr, nullptr, nullptr } },
    { "pcent",   SIM_FAMILY_2388X,   { L"PC Entertainment TV Card Capture", L"PC Entertainment TV Card Crossbar", nullptr, nullptr, nullptr } },
    { "usb2881", SIM_FAMILY_USB2800, { L"USB 2881 Video", L"USB 2881 Crossbar", nullptr, nullptr, nullptr } },
    { "mpeg2box", SIM_FAMILY_ENCODER,    { L"Quorvex MPEG-2 Box", L"Quorvex MPEG-2 Box Crossbar", nullptr, nullptr, nullptr } },
    { "lunet",    SIM_FAMILY_ENCODER,    { L"Quorvex Lunet Device", L"Quorvex Lunet Crossbar", nullptr, nullptr, nullptr } },
    { "713x",        SIM_FAMILY_PCI,     { L"713x TV Card Capture", L"713x TV Card Crossbar", nullptr, nullptr, nullptr } },
    { "713x_Genius", SIM_FAMILY_PCI,     { L"713x_Genius TV Card Capture", L"713x_Genius TV Card Crossbar", nullptr, nullptr, nullptr } },
    { "skyvault",    SIM_FAMILY_PCI,     { L"Quorvex Skyvault Capture", L"Quorvex Skyvault Crossbar", nullptr, nullptr, nullptr } },
    { "jinhai",      SIM_FAMILY_PCI,     { L"Jinhai TV Card Capture", L"Jinhai TV Card Crossbar", nullptr, nullptr, nullptr } },
    { "ravenor630",  SIM_FAMILY_PCI,     { L"Ravenor 630 TV Capture", L"Ravenor 630 TV Crossbar", nullptr, nullptr, nullptr } },
    { "tvav",        SIM_FAMILY_PCI,     { L"TV AV Capture", L"TV AV Capture Crossbar", nullptr, nullptr, nullptr } },
    { "tftv",        SIM_FAMILY_PCI,     { L"TFTV Capture", L"TFTV Crossbar", nullptr, nullptr, nullptr } },
    { "usbbox",      SIM_FAMILY_USB2800, { L"USB 2800 Video", L"USB 2800 Crossbar", L"USB 2800 TVTuner", nullptr, nullptr } },
    { "usbtvbox",    SIM_FAMILY_USB2800, { L"Quorvex USB TV Box Video", L"Quorvex USB TV Box Crossbar", L"Quorvex USB TV Box TVTuner", nullptr, nullptr } },
    { "usb2820",     SIM_FAMILY_USB2800, { L"USB 2820 Video", L"USB 2820 Crossbar", nullptr, nullptr, nullptr } },
    { "usb2821",     SIM_FAMILY_USB2800, { L"USB 2821 Video", L"USB 2821 Crossbar", nullptr, nullptr, nullptr } },
    { "blackbird",   SIM_FAMILY_CARD_EX, { L"BlackBird Video Capture", L"BlackBird Crossbar", nullptr, nullptr, nullptr } },
    { "raptor",      SIM_FAMILY_BUS16,   { L"Conexant Raptor Video Capture", L"Conexant Raptor Crossbar", nullptr, nullptr, nullptr } },
    { "mirox",       SIM_FAMILY_DEVICE_IO, { L"QUORVEX Mirox Audio/Video Capture", L"QUORVEX Mirox Crossbar", nullptr, nullptr, nullptr } },
};
const DWORD FAMILY_COUNT = sizeof(FAMILIES) / sizeof(FAMILIES[0]);

// Values a driver's card starts with besides the defaults; the install line may change them.
struct FamilyValue
{
    const char* family;
    const char* name;
    const char* value;
};

const FamilyValue FAMILY_VALUES[] = {
    // The drivers that wire their crossbar, tuner and TV-audio objects before the capture
    // filter's input pin (SIM_UPSTREAM_ALL).
    { "blackbird", "Upstream", "1" },
    { "raptor",    "Upstream", "1" },
    { "mirox",     "Upstream", "1" },
    // Mirox's key controller at 0xBB and its register-table tuner at 0xC2.
    { "mirox",     "KeyController", "0xBB" },
    { "mirox",     "PllAddr", "0xC2" },
    { "mirox",     "Profile", "91" },
    // The USB 2800-family boxes carry their tuner's PLL at 0xC6.
    { "usbbox",   "PllAddr", "0xC6" },
    { "usbtvbox", "PllAddr", "0xC6" },
    { "usb2820",  "PllAddr", "0xC6" },
    { "usb2821",  "PllAddr", "0xC6" },
    { "usb2881",  "PllAddr", "0xC6" },
};

const CComServer::FilterEntry CARD0_FILTERS[CARD0_ROLES] = {
    { FILTERS[0].category, MERIT_DO_NOT_USE, L"Sim2388x_1-0-Capture", 0, nullptr },
    { FILTERS[1].category, MERIT_DO_NOT_USE, L"Sim2388x_1-0-Crossbar", 0, nullptr },
    { FILTERS[2].category, MERIT_DO_NOT_USE, L"Sim2388x_1-0-Tuner", 0, nullptr },
    { FILTERS[3].category, MERIT_DO_NOT_USE, L"Sim2388x_1-0-Audio", 0, nullptr },
};

// Card 0's filters and the drivers' property page, a COM class only.
const CComServer::ClassEntry CARD0_CLASSES[CARD0_ROLES + 1] = {
    { FILTERS[0].clsid, FILTERS[0].name, FILTERS[0].create, &CARD0_FILTERS[0] },
    { FILTERS[1].clsid, FILTERS[1].name, FILTERS[1].create, &CARD0_FILTERS[1] },
    { FILTERS[2].clsid, FILTERS[2].name, FILTERS[2].create, &CARD0_FILTERS[2] },
    { FILTERS[3].clsid, FILTERS[3].name, FILTERS[3].create, &CARD0_FILTERS[3] },
    { &CLSID_SimDriverPage, L"Simulated driver page", CSimDriverPage::Create, nullptr },
};

std::wstring Widen(const std::string& text)
{
    int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], size);
    wide.resize(wide.find(L'\0'));
    return wide;
}

// COM for the mapper; regsvr32 may or may not have set it up on this thread.
class CComScope
{
public:
    CComScope() : m_hr(CoInitialize(nullptr)) {}
    ~CComScope()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }

private:
    HRESULT m_hr;
};
}

const CComServer::ClassEntry* CSimRegistration::Classes(size_t* count)
{
    *count = CARD0_ROLES + 1;
    return CARD0_CLASSES;
}

HRESULT CSimRegistration::RegisterDefault()
{
    HRESULT hr = CComServer::RegisterServer(CARD0_CLASSES);
    if (SUCCEEDED(hr))
        hr = WriteValue(0, "SimCard", "0");
    return hr;
}

HRESULT CSimRegistration::UnregisterDefault()
{
    return CComServer::UnregisterServer(CARD0_CLASSES);
}

HRESULT CSimRegistration::RegisterCard(DWORD card, DWORD driver, bool withAudio, const std::wstring& audioName,
                                       const std::wstring& videoName)
{
    std::wstring keys[CSimInstanceKeys::ROLE_COUNT];
    CComServer::FilterEntry filters[CSimInstanceKeys::ROLE_COUNT];
    CComServer::ClassEntry classes[CSimInstanceKeys::ROLE_COUNT];
    size_t count = 0;
    for (const FilterRow& row : FILTERS) {
        const WCHAR* name = FAMILIES[driver].names[row.role];
        bool audio = row.role == CSimInstanceKeys::ROLE_AUDIO || row.role == CSimInstanceKeys::ROLE_KSAUDIO;
        if (name == nullptr || (audio && !withAudio))
            continue;
        if (audio && !audioName.empty())
            name = audioName.c_str();
        if (row.role == CSimInstanceKeys::ROLE_CAPTURE && !videoName.empty())
            name = videoName.c_str();
        keys[count] = Widen(CSimInstanceKeys::InstanceName(card, row.role));
        filters[count] = { row.category, MERIT_DO_NOT_USE, keys[count].c_str(), 0, nullptr };
        classes[count] = { row.clsid, name, row.create, &filters[count] };
        ++count;
    }
    HRESULT hr = CComServer::RegisterServer(classes, count);
    if (SUCCEEDED(hr))
        hr = WriteValue(card, "SimCard", CSimText::Format("%lu", card));
    if (SUCCEEDED(hr))
        hr = WriteValue(card, "Family", CSimText::Format("%lu", FAMILIES[driver].frontEnd));
    for (const FamilyValue& v : FAMILY_VALUES) {
        if (SUCCEEDED(hr) && strcmp(v.family, FAMILIES[driver].family) == 0)
            hr = WriteValue(card, v.name, v.value);
    }
    return hr;
}

HRESULT CSimRegistration::UnregisterCard(DWORD card)
{
    CComScope com;
    CComRef<IFilterMapper2> mapper;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                  mapper.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    for (const FilterRow& row : FILTERS) {
        std::wstring key = Widen(CSimInstanceKeys::InstanceName(card, row.role));
        mapper->UnregisterFilter(row.category, key.c_str(), *row.clsid);
    }
    return S_OK;
}

HRESULT CSimRegistration::WriteValue(DWORD card, const std::string& name, const std::string& value)
{
    CSimInstanceKeys keys(card);
    bool written = false;
    if (CSimConfig::IsDwordName(name.c_str())) {
        DWORD number = 0;
        if (!CSimText::ParseNumber(value, &number))
            return E_INVALIDARG;
        written = keys.SetDword(name.c_str(), number);
    } else if (CSimText::EqualsNoCase(name, "Eeprom")) {
        SimConfig config;
        CSimConfig::SetDefaults(&config, card);
        std::vector<std::string> bytes = CSimText::Split(value, " ,");
        if (bytes.size() > sizeof(config.eeprom))
            return E_INVALIDARG;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (!CSimText::ParseHexByte(bytes[i], &config.eeprom[i]))
                return E_INVALIDARG;
        }
        written = keys.SetBinary("Eeprom", config.eeprom, sizeof(config.eeprom));
    } else {
        written = keys.SetString(name.c_str(), value);
    }
    return written ? S_OK : E_FAIL;
}

HRESULT CSimRegistration::Install(bool install, const std::string& commandLine)
{
    DWORD card = 0;
    bool withAudio = true;
    bool deviceIo = false;
    DWORD family = 0;
    std::wstring audioName;
    std::wstring videoName;
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& item : CSimText::Split(commandLine, ";")) {
        size_t eq = item.find('=');
        if (eq == std::string::npos || eq == 0)
            return E_INVALIDARG;
        std::string name = item.substr(0, eq);
        std::string value = item.substr(eq + 1);
        if (CSimText::EqualsNoCase(name, "card")) {
            if (!CSimText::ParseNumber(value, &card) || card >= (DWORD)SIM_MAX_CARDS)
                return E_INVALIDARG;
        } else if (CSimText::EqualsNoCase(name, "audio")) {
            withAudio = value != "0";
        } else if (CSimText::EqualsNoCase(name, "deviceio")) {
            deviceIo = value != "0";
        } else if (CSimText::EqualsNoCase(name, "audioname")) {
            audioName = Widen(value);
        } else if (CSimText::EqualsNoCase(name, "videoname")) {
            videoName = Widen(value);
        } else if (CSimText::EqualsNoCase(name, "family")) {
            for (family = 0; family < FAMILY_COUNT; ++family) {
                if (CSimText::EqualsNoCase(value, FAMILIES[family].family))
                    break;
            }
            if (family == FAMILY_COUNT)
                return E_INVALIDARG;
        } else {
            values.emplace_back(name, value);
        }
    }
    if (!install) {
        CSimDeviceIoDevice::Withdraw(card);
        return UnregisterCard(card);
    }
    HRESULT hr = RegisterCard(card, family, withAudio, audioName, videoName);
    for (const auto& v : values) {
        if (SUCCEEDED(hr))
            hr = WriteValue(card, v.first, v.second);
    }
    if (SUCCEEDED(hr) && deviceIo)
        hr = CSimDeviceIoDevice::Publish(card);
    return hr;
}
