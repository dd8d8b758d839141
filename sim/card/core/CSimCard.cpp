#include "CSimCard.h"

#include "CSimText.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

namespace
{
const HRESULT HR_NO_CARD = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

// AnalogVideo_NTSC_M ... AnalogVideo_PAL_N_COMBO, as the decoder offers them.
const LONG AVAILABLE_TV_FORMATS = 0x001FFFF7;
const LONG TV_FORMAT_PAL_D = 0x00000020;
const LONG LINES_525_FORMATS = 0x00000001 | 0x00000002 | 0x00000004 | 0x00000200 | 0x00000400;

struct ProcAmpRange
{
    LONG property;
    LONG min;
    LONG max;
    LONG step;
    LONG def;
};

const ProcAmpRange PROC_AMP_RANGES[] = {
    // property            min  max    step default
    { 0 /* Brightness */,  0,   10000, 1,   5000 },
    { 1 /* Contrast */,    0,   10000, 1,   5000 },
    { 2 /* Hue */,         0,   10000, 1,   5000 },
    { 3 /* Saturation */,  0,   10000, 1,   5000 },
    { 4 /* Sharpness */,   0,   10000, 1,   5000 },
    { 6 /* ColorEnable */, 0,   1,     1,   1 },
};

const ProcAmpRange* FindProcAmp(LONG property)
{
    for (const ProcAmpRange& r : PROC_AMP_RANGES) {
        if (r.property == property)
            return &r;
    }
    return NULL;
}

// Station kHz as carried in bits 19-0 of the picture's ID word.
const DWORD ID_KHZ_MASK = 0xFFFFF;
enum PictureSource { SOURCE_TUNER = 1, SOURCE_COMPOSITE = 2, SOURCE_SVIDEO = 3 };

const double TONE_AMPLITUDE = 0.25118864315;     // -12 dBFS
const double NOISE_AMPLITUDE = 0.03162277660;    // -30 dBFS
}

CSimCard::CSimCard(DWORD number, SimShared* shared, HANDLE mapping, HANDLE mutex, bool ownsMemory)
    : m_number(number), m_shared(shared), m_mapping(mapping), m_mutex(mutex), m_ownsMemory(ownsMemory),
      m_clock(NULL), m_now(0)
{
}

CSimCard::~CSimCard()
{
    if (m_ownsMemory)
        delete m_shared;
    else
        UnmapViewOfFile(m_shared);
    if (m_mapping != NULL)
        CloseHandle(m_mapping);
    CloseHandle(m_mutex);
}

CSimCard* CSimCard::CreatePrivate(const SimConfig& config)
{
    SimShared* shared = new SimShared();
    Initialise(shared, config);
    return new CSimCard(config.card, shared, NULL, CreateMutexA(NULL, FALSE, NULL), true);
}

HRESULT CSimCard::OpenShared(DWORD card, const SimConfig* init, CSimCard** result)
{
    *result = NULL;
    if (card >= (DWORD)SIM_MAX_CARDS)
        return E_INVALIDARG;
    std::string stateName = CSimText::Format("Sim2388x.Card%lu.State", card);
    std::string lockName = CSimText::Format("Sim2388x.Card%lu.Lock", card);
    HANDLE mapping = init != NULL
        ? CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, SIM_SHARED_BYTES, stateName.c_str())
        : OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, stateName.c_str());
    if (mapping == NULL)
        return init != NULL ? HRESULT_FROM_WIN32(GetLastError()) : HR_NO_CARD;
    SimShared* shared = (SimShared*)MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, SIM_SHARED_BYTES);
    HANDLE mutex = CreateMutexA(NULL, FALSE, lockName.c_str());
    if (shared == NULL || mutex == NULL) {
        HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        if (shared != NULL)
            UnmapViewOfFile(shared);
        if (mutex != NULL)
            CloseHandle(mutex);
        CloseHandle(mapping);
        return hr;
    }
    CSimCard* simCard = new CSimCard(card, shared, mapping, mutex, false);
    HRESULT hr = S_OK;
    {
        DWORD wait = WaitForSingleObject(mutex, Guard::WAIT_MS);
        if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
            hr = Guard::TIMED_OUT;
        } else {
            const SimSharedHeader& h = shared->header;
            if (!h.initialised) {
                if (init != NULL)
                    Initialise(shared, *init);
                else
                    hr = HR_NO_CARD;
            } else if (memcmp(h.magic, SIM_SHARED_MAGIC, 4) != 0 || h.version != SIM_SHARED_VERSION ||
                       h.size != sizeof(SimShared)) {
                hr = E_FAIL;
            }
            ReleaseMutex(mutex);
        }
    }
    if (FAILED(hr)) {
        delete simCard;
        return hr;
    }
    *result = simCard;
    return S_OK;
}

void CSimCard::Initialise(SimShared* shared, const SimConfig& config)
{
    // A reset keeps the trace going, so marks taken before it stay meaningful.
    bool keepTrace = shared->header.initialised != 0;
    DWORD nextSeq = keepTrace ? shared->trace.nextSeq : 1;
    DWORD firstSeq = keepTrace ? shared->trace.firstSeq : 1;
    memset(&shared->header, 0, sizeof(shared->header));
    memset(&shared->state, 0, sizeof(shared->state));
    shared->config = config;

    SimCardState& s = shared->state;
    memcpy(s.eeprom, config.eeprom, sizeof(s.eeprom));
    s.gpio.latch = 0x00008600;
    s.gpio.outputEnable = 0x3000;
    s.mcu.lastCloseUs = -1;
    s.mcu.keyEndUs = -1;
    s.decoder.tvFormat = TV_FORMAT_PAL_D;
    s.decoder.outputEnable = 1;
    for (const ProcAmpRange& r : PROC_AMP_RANGES)
        s.decoder.procAmp[r.property] = r.def;
    s.videoRoute = 1;
    s.audioRoute = 4;
    // The multiplexer's own bits above the tuner's input code.
    s.videoMux.regs[2] = 0xC2;
    for (SimVideoFormat& f : s.videoFormat)
        f.subtypeCode = ~0u;
    for (int i = 0; i < SIM_AUDIO_INPUT_PINS; ++i) {
        s.audio.enable[i] = TRUE;
        s.audio.level[i] = 1.0;
    }
    s.audio.samplesPerSec = 44100;
    s.audio.channels = 2;
    s.audio.bitsPerSample = 16;

    shared->trace.level = config.traceLevel;
    shared->trace.nextSeq = nextSeq;
    shared->trace.firstSeq = firstSeq;

    memcpy(shared->header.magic, SIM_SHARED_MAGIC, 4);
    shared->header.version = SIM_SHARED_VERSION;
    shared->header.size = sizeof(SimShared);
    shared->header.initialised = 1;
}

void CSimCard::SetClock(ISimClock* clock)
{
    m_clock = clock;
}

LONGLONG CSimCard::Now()
{
    return m_clock != NULL ? m_clock->NowUs() : m_qpc.NowUs();
}

void CSimCard::Advance()
{
    AdvanceKeys(m_now);
}

void CSimCard::Trace(DWORD level, const char* format, ...)
{
    SimTraceRing& ring = m_shared->trace;
    if (ring.level == 0 || level > ring.level)
        return;
    SimTraceLine& line = ring.lines[(ring.nextSeq - 1) % SIM_TRACE_LINES];
    line.seq = ring.nextSeq++;
    va_list args;
    va_start(args, format);
    vsnprintf(line.text, sizeof(line.text), format, args);
    va_end(args);
}

void CSimCard::TraceBytes(const char* prefix, BYTE device, const BYTE* data, DWORD count)
{
    std::string text = CSimText::Format("%s %02X", prefix, device);
    for (DWORD i = 0; i < count && text.size() + 4 < (size_t)SIM_TRACE_TEXT; ++i)
        text += CSimText::Format(" %02X", data[i]);
    Trace(1, "%s", text.c_str());
}

HRESULT CSimCard::AddTrace(const char* text)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        Trace(1, "%s", text);
    return guard.Result();
}

HRESULT CSimCard::GetTvFormat(LONG* format)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *format = m_shared->state.decoder.tvFormat;
    return guard.Result();
}

HRESULT CSimCard::PutTvFormat(LONG format)
{
    if (format == 0 || (format & (format - 1)) != 0 || (format & ~AVAILABLE_TV_FORMATS) != 0)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        m_shared->state.decoder.tvFormat = format;
        Trace(1, "V tvformat=%08lX", format);
    }
    return guard.Result();
}

HRESULT CSimCard::GetHorizontalLocked(LONG* locked)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *locked = HorizontalLocked();
    return guard.Result();
}

LONG CSimCard::HorizontalLocked()
{
    switch (m_shared->state.videoRoute) {
    case 0: return m_shared->config.svideo ? 1 : 0;
    case 1: return TunerHasPicture() ? 1 : 0;
    case 2: return m_shared->config.composite ? 1 : 0;
    default: return 0;
    }
}

HRESULT CSimCard::GetVcrLocking(LONG* value)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *value = m_shared->state.decoder.vcrLocking;
    return guard.Result();
}

HRESULT CSimCard::PutVcrLocking(LONG value)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        m_shared->state.decoder.vcrLocking = value ? 1 : 0;
    return guard.Result();
}

HRESULT CSimCard::GetOutputEnable(LONG* value)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *value = m_shared->state.decoder.outputEnable;
    return guard.Result();
}

HRESULT CSimCard::PutOutputEnable(LONG value)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        m_shared->state.decoder.outputEnable = value ? 1 : 0;
    return guard.Result();
}

HRESULT CSimCard::GetProcAmpRange(LONG property, LONG* min, LONG* max, LONG* step, LONG* def)
{
    const ProcAmpRange* r = FindProcAmp(property);
    if (r == NULL)
        return E_PROP_ID_UNSUPPORTED;
    *min = r->min;
    *max = r->max;
    *step = r->step;
    *def = r->def;
    return S_OK;
}

HRESULT CSimCard::GetProcAmp(LONG property, LONG* value)
{
    if (FindProcAmp(property) == NULL)
        return E_PROP_ID_UNSUPPORTED;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *value = m_shared->state.decoder.procAmp[property];
    return guard.Result();
}

HRESULT CSimCard::SetProcAmp(LONG property, LONG value)
{
    const ProcAmpRange* r = FindProcAmp(property);
    if (r == NULL)
        return E_PROP_ID_UNSUPPORTED;
    if (value < r->min || value > r->max)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        m_shared->state.decoder.procAmp[property] = value;
    return guard.Result();
}

HRESULT CSimCard::CanRoute(LONG output, LONG input)
{
    if (output < 0 || output > 1 || input < -1 || input > 6)
        return E_INVALIDARG;
    if (input == -1)
        return S_OK;
    bool videoInput = input <= 3;
    return videoInput == (output == 0) ? S_OK : E_FAIL;
}

HRESULT CSimCard::Route(LONG output, LONG input)
{
    HRESULT hr = CanRoute(output, input);
    if (FAILED(hr))
        return hr;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        (output == 0 ? m_shared->state.videoRoute : m_shared->state.audioRoute) = input;
        Trace(1, "X out=%ld in=%ld", output, input);
    }
    return guard.Result();
}

HRESULT CSimCard::GetRoute(LONG output, LONG* input)
{
    if (output < 0 || output > 1)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *input = output == 0 ? m_shared->state.videoRoute : m_shared->state.audioRoute;
    return guard.Result();
}

HRESULT CSimCard::GetInputEnable(int pin, BOOL* enable)
{
    if (pin < 0 || pin >= SIM_AUDIO_INPUT_PINS)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *enable = m_shared->state.audio.enable[pin];
    return guard.Result();
}

HRESULT CSimCard::PutInputEnable(int pin, BOOL enable)
{
    if (pin < 0 || pin >= SIM_AUDIO_INPUT_PINS)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        m_shared->state.audio.enable[pin] = enable ? TRUE : FALSE;
    return guard.Result();
}

HRESULT CSimCard::GetMixLevel(int pin, double* level)
{
    if (pin < 0 || pin >= SIM_AUDIO_INPUT_PINS)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *level = m_shared->state.audio.level[pin];
    return guard.Result();
}

HRESULT CSimCard::PutMixLevel(int pin, double level)
{
    if (pin < 0 || pin >= SIM_AUDIO_INPUT_PINS || !(level >= 0.0 && level <= 1.0))
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        m_shared->state.audio.level[pin] = level;
    return guard.Result();
}

HRESULT CSimCard::GetConfig(SimConfig* config)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *config = m_shared->config;
    return guard.Result();
}

HRESULT CSimCard::NoteVideoFormat(int pin, const char* subtype, DWORD code, LONG width, LONG height,
                                  LONGLONG interval)
{
    if (pin < 0 || pin >= SIM_VIDEO_PINS)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        SimVideoFormat& f = m_shared->state.videoFormat[pin];
        f.subtypeCode = code;
        f.width = width;
        f.height = height;
        f.interval = interval;
        Trace(1, "V %s %s %ldx%ld %I64d", pin == PIN_CAPTURE ? "cap" : "prv", subtype, width, height, interval);
    }
    return guard.Result();
}

HRESULT CSimCard::NoteAudioFormat(DWORD samplesPerSec, DWORD channels, DWORD bitsPerSample)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        SimAudioState& a = m_shared->state.audio;
        a.samplesPerSec = samplesPerSec;
        a.channels = channels;
        a.bitsPerSample = bitsPerSample;
        Trace(1, "V aud %lu %lu %lu", samplesPerSec, channels, bitsPerSample);
    }
    return guard.Result();
}

HRESULT CSimCard::TakePicture(SimPictureInput* picture)
{
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    const SimCardState& s = m_shared->state;
    const SimConfig& c = m_shared->config;
    memset(picture, 0, sizeof(*picture));
    picture->outputEnabled = s.decoder.outputEnable != 0;
    picture->stationIndex = -1;
    memcpy(picture->procAmp, s.decoder.procAmp, sizeof(picture->procAmp));
    if (s.videoRoute == 1) {
        SimTuning tuning = Evaluate();
        if (PictureLocked(tuning)) {
            picture->signal = true;
            picture->stationIndex = tuning.station;
            picture->idWord = (DWORD)SOURCE_TUNER << 28 | (DWORD)(tuning.station & 0xFF) << 20 |
                              (c.tv[tuning.station].kHz & ID_KHZ_MASK);
        }
    } else if ((s.videoRoute == 2 && c.composite) || (s.videoRoute == 0 && c.svideo)) {
        picture->signal = true;
        picture->idWord = (DWORD)(s.videoRoute == 2 ? SOURCE_COMPOSITE : SOURCE_SVIDEO) << 28;
    }
    return S_OK;
}

HRESULT CSimCard::TakeSound(SimSoundInput* sound)
{
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    const SimCardState& s = m_shared->state;
    const SimConfig& c = m_shared->config;
    sound->kind = SimSoundInput::SOUND_SILENCE;
    sound->frequency = 0;
    sound->amplitude = 0;

    double gain = 0;
    bool anyEnabled = false;
    for (int i = 0; i < SIM_AUDIO_INPUT_PINS; ++i) {
        if (s.audio.enable[i]) {
            anyEnabled = true;
            gain = s.audio.level[i] > gain ? s.audio.level[i] : gain;
        }
    }
    DWORD input = (s.gpio.latch >> 12) & 3;
    if (!anyEnabled || (s.gpio.latch & 0x4000) != 0 || input == 3)
        return S_OK;

    SimTuning tuning = Evaluate();
    LONG absD = tuning.d < 0 ? -tuning.d : tuning.d;
    double tone = 0;
    if (input == 0 && PictureLocked(tuning))
        tone = 500 + 100 * tuning.station;
    else if (input == 1 && tuning.mode == SimTuning::MODE_FM && tuning.locked && tuning.station >= 0 &&
             absD <= (LONG)(c.fmWindowKHz * SIM_Q_PER_KHZ))
        tone = 1500 + 100 * tuning.station;
    else if (input == 2 && ((s.videoRoute == 0 && c.svideo) || (s.videoRoute == 2 && c.composite)))
        tone = 1000;

    sound->kind = tone > 0 ? SimSoundInput::SOUND_TONE : SimSoundInput::SOUND_NOISE;
    sound->frequency = tone;
    sound->amplitude = (tone > 0 ? TONE_AMPLITUDE : NOISE_AMPLITUDE) * gain;
    return S_OK;
}

HRESULT CSimCard::CountFrame(int pin)
{
    if (pin < 0 || pin >= SIM_VIDEO_PINS)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        ++m_shared->state.frames[pin];
    return guard.Result();
}

HRESULT CSimCard::CountAudioBlock()
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        ++m_shared->state.audio.blocks;
    return guard.Result();
}

HRESULT CSimCard::Configure(const std::function<bool(SimConfig&)>& change)
{
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    SimConfig config = m_shared->config;
    if (!change(config))
        return E_INVALIDARG;
    if (config.traceLevel != m_shared->config.traceLevel)
        m_shared->trace.level = config.traceLevel;
    m_shared->config = config;
    return S_OK;
}

HRESULT CSimCard::WriteEeprom(DWORD offset, const BYTE* data, DWORD count)
{
    if (offset > 255 || count == 0 || offset + count > 256)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        memcpy(m_shared->state.eeprom + offset, data, count);
        memcpy(m_shared->config.eeprom + offset, data, count);
    }
    return guard.Result();
}

HRESULT CSimCard::ReadEeprom(DWORD offset, BYTE* data, DWORD count)
{
    if (offset > 255 || count == 0 || offset + count > 256)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        memcpy(data, m_shared->state.eeprom + offset, count);
    return guard.Result();
}

HRESULT CSimCard::QueueKey(BYTE key, DWORD holdMs)
{
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    SimControllerState& mcu = m_shared->state.mcu;
    if (mcu.keyCount >= (DWORD)SIM_KEY_QUEUE)
        return HRESULT_FROM_WIN32(ERROR_BUSY);
    mcu.keys[mcu.keyCount].key = key;
    mcu.keys[mcu.keyCount].holdMs = holdMs != 0 ? holdMs : m_shared->config.keyHoldMs;
    ++mcu.keyCount;
    AdvanceKeys(m_now);
    return S_OK;
}

HRESULT CSimCard::SetFault(DWORD id, HRESULT result, DWORD count)
{
    // Ids of the box's private interface have one slot of their own.
    bool box = id >= BOX_FIRST_PROPERTY && id <= BOX_LAST_PROPERTY;
    if ((id >= (DWORD)SIM_PROPERTY_IDS && !box) || SUCCEEDED(result))
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()) && box) {
        m_shared->state.box.failId = id;
        m_shared->state.box.failResult = result;
        m_shared->state.box.failCount = count;
    } else if (SUCCEEDED(guard.Result())) {
        m_shared->state.failResult[id] = result;
        m_shared->state.failCount[id] = count;
    }
    return guard.Result();
}

HRESULT CSimCard::SetNack(BYTE address, bool on)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        BYTE device = address >> 1;
        BYTE bit = (BYTE)(1 << (device & 7));
        if (on)
            m_shared->state.nack[device >> 3] |= bit;
        else
            m_shared->state.nack[device >> 3] &= (BYTE)~bit;
    }
    return guard.Result();
}

HRESULT CSimCard::GetTuning(SimTuning* tuning)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *tuning = Evaluate();
    return guard.Result();
}

HRESULT CSimCard::DescribeState(std::string* text)
{
    static const char* const MODES[] = { "none", "TV", "FM", "SETUP" };
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    const SimCardState& s = m_shared->state;
    const SimConfig& c = m_shared->config;
    SimTuning t = Evaluate();
    std::string& out = *text;
    out = CSimText::Format("profile=%lu\nmode=%s\nN=%lu\n", t.profile->id, MODES[t.mode], s.pll.divider);
    out += "t=" + CSimText::FormatQuarterKHz(t.t) + "\n";
    out += CSimText::Format("band=%d\nbandok=%d\nlocked=%d\n", t.bandIndex + 1, t.bandOk ? 1 : 0, t.locked ? 1 : 0);
    if (t.station >= 0) {
        const SimStation& st = t.mode == SimTuning::MODE_FM ? c.fm[t.station] : c.tv[t.station];
        out += CSimText::Format("station=%s\nd=", st.label) + CSimText::FormatQuarterKHz(t.d, true) + "\n";
    } else {
        out += "station=-\nd=-\n";
    }
    out += CSimText::Format("hlock=%ld\nvideo_route=%ld\naudio_route=%ld\n", HorizontalLocked(), s.videoRoute,
                            s.audioRoute);
    out += CSimText::Format("audio_in=%lu\nmux_off=%lu\n", (s.gpio.latch >> 12) & 3, (s.gpio.latch >> 14) & 1);
    out += CSimText::Format("gpio_latch=%08lX\ngpio_view=%08lX\n", s.gpio.latch, GpioView());
    out += CSimText::Format("mcu_word=0x%02lX%02lX\nmcu_enabled=%lu\nkeys_queued=%lu\nkey_shown=%lu\n", s.mcu.high,
                            s.mcu.low, s.mcu.enabled, s.mcu.keyCount, s.mcu.keyShown);
    out += CSimText::Format("tvformat=%08lX\n", s.decoder.tvFormat);
    for (int pin = 0; pin < SIM_VIDEO_PINS; ++pin) {
        const SimVideoFormat& f = s.videoFormat[pin];
        out += CSimText::Format("%s_format=%ld %ldx%ld %I64d\n%s_frames=%lu\n", pin == 0 ? "cap" : "prv",
                                (LONG)f.subtypeCode, f.width, f.height, f.interval, pin == 0 ? "cap" : "prv",
                                s.frames[pin]);
    }
    out += CSimText::Format("audio_format=%lu %lu %lu\naudio_blocks=%lu\n", s.audio.samplesPerSec, s.audio.channels,
                            s.audio.bitsPerSample, s.audio.blocks);
    return S_OK;
}

HRESULT CSimCard::DescribeMcu(std::string* text)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        const SimControllerState& m = m_shared->state.mcu;
        *text = CSimText::Format("word=0x%02lX%02lX\nenabled=%lu\npresent=%lu\nframes=%lu\n", m.high, m.low,
                                 m.enabled, m_shared->config.mcuPresent ? 1ul : 0ul, m.frames);
    }
    return guard.Result();
}

HRESULT CSimCard::TraceMark(DWORD* seq)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        *seq = m_shared->trace.nextSeq;
    return guard.Result();
}

HRESULT CSimCard::TraceLines(DWORD from, std::string* text)
{
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    const SimTraceRing& ring = m_shared->trace;
    DWORD kept = ring.nextSeq > (DWORD)SIM_TRACE_LINES ? ring.nextSeq - SIM_TRACE_LINES : 1;
    text->clear();
    from = from > ring.firstSeq ? from : ring.firstSeq;
    if (from < kept) {
        *text += CSimText::Format("lost=%lu\n", kept - from);
        from = kept;
    }
    for (DWORD seq = from; seq < ring.nextSeq; ++seq) {
        const SimTraceLine& line = ring.lines[(seq - 1) % SIM_TRACE_LINES];
        *text += CSimText::Format("%lu=%s\n", line.seq, line.text);
    }
    return S_OK;
}

HRESULT CSimCard::TraceFind(DWORD from, const char* text, DWORD* seq)
{
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    const SimTraceRing& ring = m_shared->trace;
    DWORD oldest = ring.nextSeq > (DWORD)SIM_TRACE_LINES ? ring.nextSeq - SIM_TRACE_LINES : 1;
    oldest = oldest > ring.firstSeq ? oldest : ring.firstSeq;
    *seq = 0;
    for (DWORD s = from > oldest ? from : oldest; s < ring.nextSeq; ++s) {
        if (strstr(ring.lines[(s - 1) % SIM_TRACE_LINES].text, text) != NULL) {
            *seq = s;
            break;
        }
    }
    return S_OK;
}

HRESULT CSimCard::SetTraceLevel(DWORD level)
{
    if (level > 2)
        return E_INVALIDARG;
    Guard guard(*this);
    if (SUCCEEDED(guard.Result()))
        m_shared->trace.level = level;
    return guard.Result();
}

HRESULT CSimCard::ClearTrace()
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        // Sequence numbers go on, so marks taken before stay meaningful.
        m_shared->trace.firstSeq = m_shared->trace.nextSeq;
    }
    return guard.Result();
}

HRESULT CSimCard::Reset(const SimConfig& config)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        Initialise(m_shared, config);
        Trace(1, "! reset");
    }
    return guard.Result();
}

HRESULT CSimCard::GetPersistent(SimConfig* config)
{
    Guard guard(*this);
    if (SUCCEEDED(guard.Result())) {
        *config = m_shared->config;
        memcpy(config->eeprom, m_shared->state.eeprom, sizeof(config->eeprom));
    }
    return guard.Result();
}
