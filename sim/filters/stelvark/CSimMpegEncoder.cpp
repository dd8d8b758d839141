#include "CSimMpegEncoder.h"

#include "AmMediaType.h"
#include "CritGuard.h"
#include "SimStelvarkClasses.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <new>

namespace
{
// Video record fields.
const int kRecSize = 0, kRecType = 4, kRecRateCode = 8, kRecGop = 12, kRecConstrained = 48, kRecBitRate = 64,
          kRecMaxRate = 72, kRecWidth = 408, kRecHeight = 412, kRecBits = 812, kRecBitRateCopy = 821;
// Audio record fields.
const int kAudCrc = 0, kAudChannels = 4, kAudRate = 8, kAudIndex = 12, kAudLayer = 16;
const double kMaxBitRate = 9800000;
const long kSampleBytes = 65536;

// Picture size and rate of each stream type (0 MPEG-1, 1 VCD, 2 MPEG-2, 3 SVCD, 4 DVD).
struct VideoPreset
{
    int width;
    int height25;
    int height30;
    double bitRate;
};
const VideoPreset kVideoPresets[] = {
    // width height25 height30 bitRate
    {352, 288, 240, 4500000},
    {352, 288, 240, 1150000},
    {720, 576, 480, 4500000},
    {480, 576, 480, 2200000},
    {720, 576, 480, 4500000},
};
const int kTypeCount = sizeof(kVideoPresets) / sizeof(kVideoPresets[0]);
static_assert(kTypeCount == 5, "one video preset per stream type");
// FFmpeg's muxer for each multiplexer preset.
const char* const kMuxFormats[kTypeCount] = {"mpeg", "vcd", "vob", "svcd", "dvd"};

// Layer II bit rates (kbit/s) by index 1-14, for MPEG-1 rates and the half rates.
const int kLayerTwoKbps[2][14] = {
    {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
};

bool LayerTwoRate(int rate)
{
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MP2);
    for (const int* r = codec ? codec->supported_samplerates : nullptr; r && *r; ++r)
        if (*r == rate)
            return true;
    return false;
}

// 0 for an index out of the table, which the encoder then refuses.
int LayerTwoBitRate(int rate, int index)
{
    return index >= 1 && index <= 14 ? kLayerTwoKbps[rate < 32000 ? 1 : 0][index - 1] * 1000 : 0;
}

DWORD Get32(const BYTE* r, int at)
{
    DWORD v;
    memcpy(&v, r + at, 4);
    return v;
}
void Put32(BYTE* r, int at, DWORD v)
{
    memcpy(r + at, &v, 4);
}
double GetDouble(const BYTE* r, int at)
{
    double v;
    memcpy(&v, r + at, 8);
    return v;
}
void PutDouble(BYTE* r, int at, double v)
{
    memcpy(r + at, &v, 8);
}
}

CSimMpegEncoder::CSimMpegEncoder(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimMpegEncoder, "mpegenc", "simstelvark:mpegenc 1"),
      m_videoPin(*this, L"Input Video", kVideoPin), m_audioPin(*this, L"Input Audio", kAudioPin),
      m_outputPin(*this, L"Output", kOutputPin)
{
    FillVideoDefaults(2, TRUE, m_videoRecord);
    FillAudioDefaults(m_audioRecord);
    MuxFillPresetDefaults(MUX_PRESET_MPEG2, &m_muxRecord);
    ParseFailures(Switches().Text("Fail", ""));
}

// "Fail" lists calls that answer an injected result: "SetAudioRecord=0x80004005[,count]",
// entries separated by blanks or semicolons; without a count the call always fails.
void CSimMpegEncoder::ParseFailures(const std::string& text)
{
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of("; ", at);
        if (end == std::string::npos)
            end = text.size();
        std::string entry = text.substr(at, end - at);
        at = end + 1;
        size_t equals = entry.find('=');
        if (equals == std::string::npos)
            continue;
        Failure failure;
        failure.result = (HRESULT)strtoul(entry.c_str() + equals + 1, nullptr, 16);
        size_t comma = entry.find(',', equals);
        failure.remaining = comma == std::string::npos ? -1 : strtol(entry.c_str() + comma + 1, nullptr, 10);
        m_failures[entry.substr(0, equals)] = failure;
    }
}

HRESULT CSimMpegEncoder::Injected(const char* method)
{
    CCritGuard guard(m_settingsLock);
    auto it = m_failures.find(method);
    if (it == m_failures.end() || it->second.remaining == 0)
        return S_OK;
    if (it->second.remaining > 0)
        --it->second.remaining;
    Log().Line("! fail %s %08lX", method, it->second.result);
    return it->second.result;
}

CSimMpegEncoder::~CSimMpegEncoder()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
}

CBasePin* CSimMpegEncoder::GetPin(int index)
{
    switch (index) {
    case kVideoPin: return &m_videoPin;
    case kAudioPin: return &m_audioPin;
    case kOutputPin: return &m_outputPin;
    }
    return nullptr;
}

void* CSimMpegEncoder::FindFilterInterface(REFIID iid)
{
    struct Entry
    {
        const IID* iid;
        const char* name;
        void* itf;
    };
    const Entry entries[] = {
        {&IID_IMpegVideoEncoder, "IMpegVideoEncoder", static_cast<IMpegVideoEncoder*>(this)},
        {&IID_IMpegAudioEncoder, "IMpegAudioEncoder", static_cast<IMpegAudioEncoder*>(this)},
        {&IID_IMpegMuxSettings, "IMpegMuxSettings", static_cast<IMpegMuxSettings*>(this)},
        {&IID_IMpegVideoParams, "IMpegVideoParams", static_cast<IMpegVideoParams*>(this)},
        {&IID_IMpegAudioParams, "IMpegAudioParams", static_cast<IMpegAudioParams*>(this)},
        {&IID_IFileSinkFilter, "IFileSinkFilter", static_cast<IFileSinkFilter*>(this)},
    };
    for (const Entry& e : entries) {
        if (IsEqualIID(iid, *e.iid))
            return Switches().Omits(e.name) ? nullptr : e.itf;
    }
    return CSimStandInFilter::FindFilterInterface(iid);
}

HRESULT CSimMpegEncoder::Refused(const char* method)
{
    Log().Line("! %s not implemented", method);
    return E_NOTIMPL;
}

STDMETHODIMP CSimMpegEncoder::Unnamed3(DWORD) { return Refused("slot 3"); }
STDMETHODIMP CSimMpegEncoder::Unnamed4(DWORD) { return Refused("slot 4"); }
STDMETHODIMP CSimMpegEncoder::Unnamed5(DWORD) { return Refused("slot 5"); }
STDMETHODIMP CSimMpegEncoder::Unnamed6(DWORD) { return Refused("slot 6"); }
STDMETHODIMP CSimMpegEncoder::Unnamed7(DWORD) { return Refused("slot 7"); }
STDMETHODIMP CSimMpegEncoder::Unnamed8(DWORD) { return Refused("slot 8"); }
STDMETHODIMP CSimMpegEncoder::Unnamed9(DWORD) { return Refused("slot 9"); }
STDMETHODIMP CSimMpegEncoder::Unnamed10(DWORD) { return Refused("slot 10"); }
STDMETHODIMP CSimMpegEncoder::Unnamed11(DWORD) { return Refused("slot 11"); }
STDMETHODIMP CSimMpegEncoder::Unnamed14(DWORD) { return Refused("slot 14"); }
STDMETHODIMP CSimMpegEncoder::Unnamed15(DWORD) { return Refused("slot 15"); }

STDMETHODIMP CSimMpegEncoder::GetVideoRecord(BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    memcpy(record, m_videoRecord, kVideoRecordSize);
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::SetVideoRecord(const BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    HRESULT hr = Injected("SetVideoRecord");
    if (FAILED(hr))
        return hr;
    CCritGuard state(StateLock());
    if (!Stopped())
        return VFW_E_NOT_STOPPED;
    CCritGuard guard(m_settingsLock);
    memcpy(m_videoRecord, record, kVideoRecordSize);
    Log().Line("V set type=%lu w=%lu h=%lu rate=%.0f max=%.0f f48=%lu bits812=%02X", Get32(record, kRecType),
               Get32(record, kRecWidth), Get32(record, kRecHeight), GetDouble(record, kRecBitRate),
               GetDouble(record, kRecMaxRate), Get32(record, kRecConstrained), record[kRecBits]);
    return S_OK;
}

void CSimMpegEncoder::FillVideoDefaults(LONG type, BOOL b25, BYTE* record)
{
    const VideoPreset& p = kVideoPresets[type];
    memset(record, 0, kVideoRecordSize);
    Put32(record, kRecSize, kVideoRecordSize);
    Put32(record, kRecType, (DWORD)type);
    Put32(record, kRecRateCode, b25 ? 3 : 4);
    Put32(record, kRecGop, b25 ? 12 : 15);
    PutDouble(record, kRecBitRate, p.bitRate);
    PutDouble(record, kRecMaxRate, kMaxBitRate);
    Put32(record, kRecWidth, p.width);
    Put32(record, kRecHeight, b25 ? p.height25 : p.height30);
    record[kRecBits] = 0x03;
    PutDouble(record, kRecBitRateCopy, p.bitRate);
}

STDMETHODIMP CSimMpegEncoder::GetVideoPresetDefaults(LONG type, BOOL b25, BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    if (type < 0 || type >= kTypeCount)
        return E_INVALIDARG;
    HRESULT hr = Injected("GetVideoPresetDefaults");
    if (FAILED(hr))
        return hr;
    FillVideoDefaults(type, b25, record);
    Log().Line("V defaults type=%ld b25=%d", type, b25 ? 1 : 0);
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::GetAudioRecord(BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    memcpy(record, m_audioRecord, kAudioRecordSize);
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::SetAudioRecord(const BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    HRESULT hr = Injected("SetAudioRecord");
    if (FAILED(hr))
        return hr;
    CCritGuard state(StateLock());
    if (!Stopped())
        return VFW_E_NOT_STOPPED;
    CCritGuard guard(m_settingsLock);
    memcpy(m_audioRecord, record, kAudioRecordSize);
    Log().Line("A set idx=%lu ch=%lu rate=%lu crc=%lu", Get32(record, kAudIndex), Get32(record, kAudChannels),
               Get32(record, kAudRate), Get32(record, kAudCrc));
    return S_OK;
}

void CSimMpegEncoder::FillAudioDefaults(BYTE* record)
{
    memset(record, 0, kAudioRecordSize);
    Put32(record, kAudCrc, 0);
    Put32(record, kAudChannels, 2);
    Put32(record, kAudRate, 0);
    Put32(record, kAudIndex, 11);
    Put32(record, kAudLayer, 2);
}

STDMETHODIMP CSimMpegEncoder::GetAudioPresetDefaults(LONG type, BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    if (type < 0 || type >= kTypeCount)
        return E_INVALIDARG;
    HRESULT hr = Injected("GetAudioPresetDefaults");
    if (FAILED(hr))
        return hr;
    FillAudioDefaults(record);
    Log().Line("A defaults type=%ld", type);
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::GetMuxType(LONG* type)
{
    if (type == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    *type = (LONG)m_muxRecord.muxType;
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::SetMuxType(LONG type)
{
    return LoadMuxPreset(type);
}

STDMETHODIMP CSimMpegEncoder::GetMuxRecord(BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    memcpy(record, &m_muxRecord, sizeof(m_muxRecord));
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::SetMuxRecord(const BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    CCritGuard state(StateLock());
    if (!Stopped())
        return VFW_E_NOT_STOPPED;
    CCritGuard guard(m_settingsLock);
    memcpy(&m_muxRecord, record, sizeof(m_muxRecord));
    Log().Line("M set kind=%u pack=%u", m_muxRecord.outputKind, m_muxRecord.packSize);
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::GetMuxPresetDefaults(LONG type, BYTE* record)
{
    if (record == nullptr)
        return E_POINTER;
    if (type < 0 || type >= kTypeCount)
        return E_INVALIDARG;
    MuxFillPresetDefaults(type, reinterpret_cast<MuxSettings*>(record));
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::LoadMuxPreset(LONG type)
{
    if (type < 0 || type >= kTypeCount)
        return E_INVALIDARG;
    HRESULT hr = Injected("LoadMuxPreset");
    if (FAILED(hr))
        return hr;
    CCritGuard state(StateLock());
    if (!Stopped())
        return VFW_E_NOT_STOPPED;
    CCritGuard guard(m_settingsLock);
    MuxFillPresetDefaults(type, &m_muxRecord);
    Log().Line("M preset=%ld", type);
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::GetVideoParam(LONG id, LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    auto it = m_videoParams.find(id);
    *value = it == m_videoParams.end() ? 0 : it->second;
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::SetVideoParam(LONG id, LONG value)
{
    HRESULT hr = Injected("SetVideoParam");
    if (FAILED(hr))
        return hr;
    CCritGuard guard(m_settingsLock);
    m_videoParams[id] = value;
    Log().Line("P V%ld=%ld", id, value);
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::GetAudioParam(LONG id, LONG* value)
{
    if (value == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    auto it = m_audioParams.find(id);
    *value = it == m_audioParams.end() ? 0 : it->second;
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::SetAudioParam(LONG id, LONG value)
{
    HRESULT hr = Injected("SetAudioParam");
    if (FAILED(hr))
        return hr;
    CCritGuard guard(m_settingsLock);
    m_audioParams[id] = value;
    Log().Line("P A%ld=%ld", id, value);
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*)
{
    if (name == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    m_fileName = name;
    char ansi[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof(ansi), nullptr, nullptr);
    Log().Line("F %s", ansi);
    return S_OK;
}

STDMETHODIMP CSimMpegEncoder::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type)
{
    if (name == nullptr)
        return E_POINTER;
    if (type != nullptr)
        memset(type, 0, sizeof(*type));
    CCritGuard guard(m_settingsLock);
    size_t bytes = (m_fileName.size() + 1) * sizeof(WCHAR);
    *name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (*name == nullptr)
        return E_OUTOFMEMORY;
    memcpy(*name, m_fileName.c_str(), bytes);
    return S_OK;
}

HRESULT CSimMpegEncoder::CheckInputType(int pin, const AM_MEDIA_TYPE& type)
{
    if (pin == kVideoPin) {
        const VIDEOINFOHEADER* v = CAmMediaType::VideoInfoOf(type);
        return IsEqualGUID(type.majortype, MEDIATYPE_Video) && CSimAvScaler::Supports(type.subtype.Data1) &&
                       v != nullptr && v->bmiHeader.biWidth > 0 && v->bmiHeader.biWidth % 2 == 0 &&
                       v->bmiHeader.biHeight != 0
                   ? S_OK
                   : VFW_E_TYPE_NOT_ACCEPTED;
    }
    if (pin == kAudioPin) {
        const WAVEFORMATEX* w = CAmMediaType::WaveFormatOf(type);
        return IsEqualGUID(type.majortype, MEDIATYPE_Audio) && w != nullptr && w->wFormatTag == WAVE_FORMAT_PCM &&
                       w->wBitsPerSample == 16 && (w->nChannels == 1 || w->nChannels == 2) &&
                       LayerTwoRate((int)w->nSamplesPerSec)
                   ? S_OK
                   : VFW_E_TYPE_NOT_ACCEPTED;
    }
    return VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimMpegEncoder::CheckOutputType(int, const AM_MEDIA_TYPE& type)
{
    return IsEqualGUID(type.majortype, MEDIATYPE_Stream) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimMpegEncoder::GetOutputType(int, int index, CAmMediaType& type)
{
    if (index > 0)
        return VFW_S_NO_MORE_ITEMS;
    type.Clear();
    type.majortype = MEDIATYPE_Stream;
    type.subtype = MEDIASUBTYPE_MPEG2_PROGRAM;
    type.bFixedSizeSamples = FALSE;
    type.lSampleSize = 0;
    return S_OK;
}

HRESULT CSimMpegEncoder::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = wanted.cBuffers > 8 ? wanted.cBuffers : 8;
    wanted.cbBuffer = wanted.cbBuffer > kSampleBytes ? wanted.cbBuffer : kSampleBytes;
    wanted.cbAlign = wanted.cbAlign > 0 ? wanted.cbAlign : 1;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

// The records as the filter leaves the stopped state.
CSimMpegEncodeSession::Config CSimMpegEncoder::BuildConfig()
{
    CCritGuard guard(m_settingsLock);
    const BYTE* v = m_videoRecord;
    int type = (int)Get32(v, kRecType);
    bool b25 = Get32(v, kRecRateCode) == 3;
    CSimMpegEncodeSession::Config c;
    c.mpeg2 = type >= 2;
    c.width = ((int)Get32(v, kRecWidth) + 15) & ~15;
    c.height = ((int)Get32(v, kRecHeight) + 15) & ~15;
    c.frameRate = b25 ? AVRational{25, 1} : AVRational{30000, 1001};
    c.bitRate = (int64_t)GetDouble(v, kRecBitRate);
    c.vbvBits = (type == 1 ? 20 : 112) * 16384;
    c.gopLength = (int)Get32(v, kRecGop);
    c.closedGop = (v[kRecBits] & 1) != 0;
    // Other presets by their kind of output; FFmpeg is built without a transport muxer, so
    // a transport stream fails the pause.
    uint32_t muxPreset = m_muxRecord.muxType;
    uint32_t kind = m_muxRecord.outputKind;
    c.mux.format = muxPreset < (uint32_t)kTypeCount           ? kMuxFormats[muxPreset]
                   : kind == MUX_OUTPUT_MPEG1_SYSTEM   ? "mpeg"
                   : kind == MUX_OUTPUT_MPEG2_PROGRAM  ? "vob"
                                                       : "mpegts";
    c.mux.packSize = (int)m_muxRecord.packSize;
    c.mux.muxRate = (int)m_muxRecord.muxRate;
    const BYTE* a = m_audioRecord;
    c.audioChannels = Get32(a, kAudChannels) == 1 ? 1 : 2;
    int index = (int)Get32(a, kAudIndex);
    const WAVEFORMATEX* w = m_audioPin.ConnectionType().WaveFormat();
    c.audioRate = m_audioPin.IsConnected() && w ? (int)w->nSamplesPerSec : 0;
    c.audioBitRate = LayerTwoBitRate(c.audioRate, index);
    m_packPerSample = m_videoParams[97] == 1;

    Log().Line("V rec type=%d b25=%d w=%d h=%d rate=%.0f max=%.0f f48=%lu bits812=%02X", type, b25 ? 1 : 0, c.width,
               c.height, GetDouble(v, kRecBitRate), GetDouble(v, kRecMaxRate), Get32(v, kRecConstrained), v[kRecBits]);
    if (GetDouble(v, kRecBitRateCopy) != GetDouble(v, kRecBitRate))
        Log().Line("! rate mismatch %.0f", GetDouble(v, kRecBitRateCopy));
    if (Get32(a, kAudRate) != 0 && (int)Get32(a, kAudRate) != c.audioRate)
        Log().Line("! audio rate %lu, input %d used", Get32(a, kAudRate), c.audioRate);
    Log().Line("A rec idx=%d ch=%d in=%d", index, c.audioChannels, c.audioRate);
    Log().Line("M %s pack=%d rate=%d", c.mux.format.c_str(), c.mux.packSize, c.mux.muxRate);
    return c;
}

HRESULT CSimMpegEncoder::OnPrepare()
{
    CSimMpegEncodeSession::Config config = BuildConfig();
    std::wstring fileName;
    {
        CCritGuard guard(m_settingsLock);
        fileName = m_fileName;
    }
    CCritGuard guard(m_receiveLock);
    m_ended[0] = m_ended[1] = false;
    m_finished = m_halted = false;
    m_config = config;
    m_session.reset(new (std::nothrow) CSimMpegEncodeSession(config));
    if (!m_session)
        return E_OUTOFMEMORY;
    // Settings the codec library refuses fail before a file is made.
    if (!m_session->Valid()) {
        Log().Line("! settings refused by the codec library");
        m_session.reset();
        return E_FAIL;
    }
    if (!m_outputPin.IsConnected()) {
        if (fileName.empty()) {
            m_session.reset();
            return E_FAIL;
        }
        m_file = CreateFileW(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_file == INVALID_HANDLE_VALUE) {
            m_session.reset();
            return HRESULT_FROM_WIN32(GetLastError());
        }
    }
    return S_OK;
}

// The filters downstream leave running first and, paused, still take samples: what the
// encoders and the multiplexer hold goes out now, so a stream the program ends by stopping the
// graph ends on whole pictures. The end code stays for an end of stream on both inputs.
HRESULT CSimMpegEncoder::OnHalt()
{
    CCritGuard guard(m_receiveLock);
    if (!m_session || m_finished || !m_outputPin.IsConnected())
        return S_OK;
    m_finished = m_halted = true;
    std::vector<SimPack> packs;
    if (!m_session->Finish(packs, false))
        Log().Line("! codec library failed");
    Log().Line("H held packs=%lu", (unsigned long)packs.size());
    HRESULT hr = Deliver(packs);
    if (FAILED(hr))
        Log().Line("! delivery %08lX", (unsigned long)hr);
    return S_OK;
}

// Running again after a halt: a new stream, with its own headers, follows the ended one.
HRESULT CSimMpegEncoder::OnStart(REFERENCE_TIME)
{
    CCritGuard guard(m_receiveLock);
    if (!m_halted)
        return S_OK;
    LogCounts();
    m_halted = m_finished = false;
    m_ended[0] = m_ended[1] = false;
    m_session.reset(new (std::nothrow) CSimMpegEncodeSession(m_config));
    if (!m_session || !m_session->Valid()) {
        m_session.reset();
        return E_FAIL;
    }
    return S_OK;
}

void CSimMpegEncoder::LogCounts()
{
    if (m_session)
        Log().Line("N pictures=%ld first=%ld repeated=%ld", m_session->Pictures(), m_session->FirstSlot(),
                   m_session->Repeated());
}

void CSimMpegEncoder::OnTeardown()
{
    CCritGuard guard(m_receiveLock);
    if (m_session && m_file != INVALID_HANDLE_VALUE && !m_finished) {
        std::vector<SimPack> packs;
        m_session->Finish(packs, false);
        WriteToFile(packs);
    }
    LogCounts();
    if (m_file != INVALID_HANDLE_VALUE) {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }
    m_session.reset();
}

HRESULT CSimMpegEncoder::ReceiveSample(int pin, IMediaSample* sample)
{
    CCritGuard guard(m_receiveLock);
    if (!m_session || m_finished)
        return S_OK;
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)))
        return E_POINTER;
    REFERENCE_TIME start = 0, stop = 0;
    sample->GetTime(&start, &stop);
    std::vector<SimPack> packs;
    bool ok = true;
    if (pin == kVideoPin) {
        const CAmMediaType& type = m_videoPin.ConnectionType();
        const VIDEOINFOHEADER* v = type.VideoInfo();
        int width = v->bmiHeader.biWidth;
        int height = v->bmiHeader.biHeight < 0 ? -v->bmiHeader.biHeight : v->bmiHeader.biHeight;
        if (sample->GetActualDataLength() < CSimAvScaler::FrameBytes(type.subtype.Data1, width, height))
            return S_OK;
        ok = m_session->PushVideo(data, type.subtype.Data1, width, height, start, packs);
    } else {
        const WAVEFORMATEX* w = m_audioPin.ConnectionType().WaveFormat();
        size_t frames = (size_t)sample->GetActualDataLength() / w->nBlockAlign;
        const int16_t* pcm = reinterpret_cast<const int16_t*>(data);
        int channels = m_session->AudioChannels();
        std::vector<int16_t> converted;
        if (w->nChannels != channels) {
            converted.resize(frames * channels);
            for (size_t i = 0; i < frames; ++i) {
                if (channels == 2)
                    converted[2 * i] = converted[2 * i + 1] = pcm[i];
                else
                    converted[i] = (int16_t)((pcm[2 * i] + pcm[2 * i + 1]) / 2);
            }
            pcm = converted.data();
        }
        ok = m_session->PushAudio(pcm, frames, start, packs);
    }
    HRESULT hr = Deliver(packs);
    if (!ok) {
        Log().Line("! codec library failed");
        return E_FAIL;
    }
    return hr;
}

HRESULT CSimMpegEncoder::EndOfInput(int pin)
{
    CCritGuard guard(m_receiveLock);
    m_ended[pin == kVideoPin ? 0 : 1] = true;
    bool videoDone = m_ended[0] || !m_videoPin.IsConnected();
    bool audioDone = m_ended[1] || !m_audioPin.IsConnected();
    if (!videoDone || !audioDone || !m_session || m_finished)
        return S_OK;
    m_finished = true;
    std::vector<SimPack> packs;
    bool ok = m_session->Finish(packs, true);
    HRESULT hr = Deliver(packs);
    if (!ok && SUCCEEDED(hr))
        hr = E_FAIL;
    if (m_outputPin.IsConnected())
        m_outputPin.DeliverEndOfStream();
    return hr;
}

// Caller holds the receive lock.
HRESULT CSimMpegEncoder::Deliver(std::vector<SimPack>& packs)
{
    if (packs.empty())
        return S_OK;
    if (m_file != INVALID_HANDLE_VALUE)
        return WriteToFile(packs);
    if (!m_outputPin.IsConnected())
        return S_OK;
    size_t next = 0;
    while (next < packs.size()) {
        IMediaSample* sample = nullptr;
        HRESULT hr = m_outputPin.GetDeliveryBuffer(&sample, nullptr, nullptr, 0);
        if (FAILED(hr))
            return hr;
        BYTE* out = nullptr;
        sample->GetPointer(&out);
        long capacity = sample->GetSize();
        long used = 0;
        // One pack per sample when asked for, else as many whole packs as fit.
        do {
            const std::vector<uint8_t>& bytes = packs[next].bytes;
            if (used > 0 && used + (long)bytes.size() > capacity)
                break;
            long take = (long)bytes.size() < capacity - used ? (long)bytes.size() : capacity - used;
            memcpy(out + used, bytes.data(), take);
            used += take;
            ++next;
        } while (!m_packPerSample && next < packs.size());
        sample->SetActualDataLength(used);
        sample->SetSyncPoint(TRUE);
        hr = m_outputPin.Deliver(sample);
        sample->Release();
        if (hr != S_OK)
            return SUCCEEDED(hr) ? S_OK : hr;
    }
    return S_OK;
}

HRESULT CSimMpegEncoder::WriteToFile(const std::vector<SimPack>& packs)
{
    for (const SimPack& p : packs) {
        DWORD written = 0;
        if (!WriteFile(m_file, p.bytes.data(), (DWORD)p.bytes.size(), &written, nullptr))
            return HRESULT_FROM_WIN32(GetLastError());
    }
    return S_OK;
}
