#pragma once

#include "CSimQpcClock.h"
#include "ISimClock.h"
#include "SimShared.h"

#include <vfwmsgs.h>

#include <functional>
#include <string>
#include <vector>

// What the tuner is tuned to, evaluated from the stored PLL bytes whenever it is read.
struct SimTuning
{
    enum Mode { MODE_NONE, MODE_TV, MODE_FM, MODE_SETUP };
    Mode mode;
    const SimTunerProfile* profile;
    DWORD requestedProfile;         // before the fall-back to type 4
    SimQuarterKHz t;                // tuned frequency
    int bandIndex;                  // 0-2: the band byte's place in the profile, -1 none
    bool bandOk;
    bool locked;
    int station;                    // nearest station of the mode's list, -1 none
    SimQuarterKHz d;                // that station minus t
};

// What the capture pins draw for one frame.
struct SimPictureInput
{
    bool  signal;
    bool  outputEnabled;
    DWORD idWord;
    int   stationIndex;
    LONG  procAmp[SIM_PROCAMP_PROPERTIES];
};

// What the audio pin plays for one buffer.
struct SimSoundInput
{
    enum Kind { SOUND_SILENCE, SOUND_TONE, SOUND_NOISE };
    Kind   kind;
    double frequency;
    double amplitude;               // of full scale, mix level included
};

// The simulated card behind all filters of one card number: I2C bus with EEPROM, PLL
// tuner and IF demodulator, GPIO word with the on-card controller and remote keys, video
// decoder, crossbar routes, stations and a trace of every transaction. Every operation
// holds the card mutex for microseconds and never across a wait, so threads without COM
// may call it freely.
class CSimCard
{
public:
    // KSPROPERTY_SUPPORT_GET and _SET.
    enum { SUPPORT_GET = 1, SUPPORT_SET = 2 };
    enum { PIN_CAPTURE = 0, PIN_PREVIEW = 1 };

    // A card on the heap for unit tests: no mapping, nothing shared.
    static CSimCard* CreatePrivate(const SimConfig& config);
    // The card of the prefix: creates and initialises the mapping from init when nobody has
    // it yet; with init NULL only an existing card is opened.
    static HRESULT OpenShared(DWORD card, const SimConfig* init, CSimCard** result);
    ~CSimCard();
    CSimCard(const CSimCard&) = delete;
    CSimCard& operator=(const CSimCard&) = delete;

    DWORD Number() const { return m_number; }
    // A test clock; the card does not own it. NULL restores the performance counter.
    void SetClock(ISimClock* clock);

    // The private property set {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}: one buffer of cb bytes
    // with the payload at byte 24; who names the filter in the trace.
    // Properties 7 to 10 are there only on a card whose driver signals an event.
    static HRESULT QuerySupport(DWORD id, DWORD* support, bool signalsEvents = false);
    HRESULT Property(const char* who, bool get, DWORD id, LONG instOffset, BYTE* data, DWORD cb,
                     DWORD* returned);

    DWORD Family();
    // SIM_UPSTREAM_*: what the driver wires before the capture filter's input pin.
    DWORD Upstream();
    // The family's filters carry the private property set.
    bool UsesCardSet();
    // The family's driver takes an event through property 7 and signals it.
    bool SignalsEvents();

    // The USB box's private interface: a numbered property set from or read into the caller's
    // memory, sized by the selector armed before it (CSimCard_Box.cpp).
    enum { BOX_FIRST_PROPERTY = 4096, BOX_LAST_PROPERTY = 4127 };
    HRESULT BoxSet(DWORD id, const void* value);
    HRESULT BoxGet(DWORD id, void* buffer);

    // The vendor-request tunnel, property 0: a Set carries the request, the Get after it the
    // device's reply (CSimCard_Tunnel.cpp).
    enum { TUNNEL_BUFFER = 48 };
    HRESULT TunnelSet(const BYTE* data, DWORD cb);
    HRESULT TunnelGet(BYTE* data, DWORD cb, DWORD* returned);

    // The 16-byte family: set 0 the bus, register and block properties, sets 1 and 2 the
    // bus control and device control (CSimCard_Bus16.cpp).
    enum { BUS16_MAIN = 0, BUS16_CONTROL = 1, BUS16_DEVICE = 2 };
    static HRESULT Bus16Support(int set, DWORD id, DWORD* support);
    HRESULT Bus16Property(int set, DWORD id, bool get, BYTE* data, DWORD cb, DWORD* returned);

    // The GO7007 box's register interface: methods 8, 7, 9 and 15 (CSimCard_Go7007.cpp).
    // Devices in 8-bit form; width is the sub-address width in bits (0, 8 or 16).
    HRESULT GoRegisterRead(DWORD device, DWORD width, DWORD sub, BYTE* value);
    HRESULT GoRegisterWrite(DWORD device, DWORD width, DWORD sub, DWORD data);
    HRESULT GoBlockWrite(DWORD device, DWORD width, DWORD sub, DWORD count, const BYTE* data);
    // Code 2 writes *value to register request[1] of device request[0].
    HRESULT GoCommand(DWORD code, const BYTE* request, DWORD count, const DWORD* value);
    // The device-I/O family's three controls, as its driver answers DeviceIoControl
    // (CSimCard_DeviceIo.cpp). Failures are Win32 error codes; 0 is success.
    enum { IOCTL_READ = 0x226000, IOCTL_WRITE = 0x22A004, IOCTL_GPIO = 0x226458 };
    DWORD DeviceControl(DWORD code, const BYTE* in, DWORD inSize, BYTE* out, DWORD outSize, DWORD* returned);

    // The MPEG encoder cards' driver: set 0 its own set, whose property 20 reaches the chips
    // behind the encoder; set 1 the image upload (CSimCard_Encoder.cpp).
    enum { ENCODER_MAIN = 0, ENCODER_IMAGE = 1 };
    HRESULT EncoderSupport(int set, DWORD id, DWORD* support);
    HRESULT EncoderProperty(int set, DWORD id, bool get, const BYTE* instance, DWORD instanceSize, BYTE* data,
                            DWORD cb, DWORD* returned);
    // "encoder busy|active <reads>", "encoder version <text>...", "encoder support <id> none|get|set|both".
    HRESULT EncoderCommand(const std::vector<std::string>& words);

    HRESULT GetTvFormat(LONG* format);
    HRESULT PutTvFormat(LONG format);
    HRESULT GetHorizontalLocked(LONG* locked);
    HRESULT GetVcrLocking(LONG* value);
    HRESULT PutVcrLocking(LONG value);
    HRESULT GetOutputEnable(LONG* value);
    HRESULT PutOutputEnable(LONG value);
    static HRESULT GetProcAmpRange(LONG property, LONG* min, LONG* max, LONG* step, LONG* def);
    HRESULT GetProcAmp(LONG property, LONG* value);
    HRESULT SetProcAmp(LONG property, LONG value);

    // Crossbar: outputs 0 video (inputs 0-3), 1 audio (inputs 4-6); input -1 unroutes.
    static HRESULT CanRoute(LONG output, LONG input);
    HRESULT Route(LONG output, LONG input);
    HRESULT GetRoute(LONG output, LONG* input);

    HRESULT GetInputEnable(int pin, BOOL* enable);
    HRESULT PutInputEnable(int pin, BOOL enable);
    HRESULT GetMixLevel(int pin, double* level);
    HRESULT PutMixLevel(int pin, double level);

    HRESULT GetConfig(SimConfig* config);
    HRESULT NoteVideoFormat(int pin, const char* subtype, DWORD code, LONG width, LONG height,
                            LONGLONG interval);
    HRESULT NoteAudioFormat(DWORD samplesPerSec, DWORD channels, DWORD bitsPerSample);
    HRESULT TakePicture(SimPictureInput* picture);
    HRESULT TakeSound(SimSoundInput* sound);
    HRESULT CountFrame(int pin);
    HRESULT CountAudioBlock();
    HRESULT AddTrace(const char* text);

    // Test control.
    HRESULT Configure(const std::function<bool(SimConfig&)>& change);
    HRESULT WriteEeprom(DWORD offset, const BYTE* data, DWORD count);
    HRESULT ReadEeprom(DWORD offset, BYTE* data, DWORD count);
    HRESULT QueueKey(BYTE key, DWORD holdMs);
    // What the driver does when its device has news: signals the event of property 7 while
    // property 8 has started it. Fails when there is no event to signal.
    HRESULT SignalDriverEvent();
    // id: a property of the private set, or of the USB box's interface.
    HRESULT SetFault(DWORD id, HRESULT result, DWORD count);
    HRESULT SetNack(BYTE address, bool on);
    HRESULT DescribeState(std::string* text);
    HRESULT DescribeMcu(std::string* text);
    // The USB box: its GPIO output register, the status reads of the indirect access in
    // progress or last made, and what property 4107 was last set to.
    HRESULT DescribeBox(std::string* text);
    HRESULT GetTuning(SimTuning* tuning);
    HRESULT TraceMark(DWORD* seq);
    HRESULT TraceLines(DWORD from, std::string* text);
    // seq of the first line from `from` containing text, 0 when there is none yet.
    HRESULT TraceFind(DWORD from, const char* text, DWORD* seq);
    HRESULT SetTraceLevel(DWORD level);
    HRESULT ClearTrace();
    HRESULT Reset(const SimConfig& config);
    // The live configuration with the EEPROM image as the card holds it now.
    HRESULT GetPersistent(SimConfig* config);

private:
    // Holds the card mutex for one access and brings the timed state up to date.
    class Guard
    {
    public:
        static const DWORD WAIT_MS = 2000;
        static const HRESULT TIMED_OUT = HRESULT_FROM_WIN32(ERROR_TIMEOUT);

        explicit Guard(CSimCard& card) : m_card(card)
        {
            DWORD wait = WaitForSingleObject(card.m_mutex, WAIT_MS);
            m_result = (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ? S_OK : TIMED_OUT;
            if (FAILED(m_result))
                return;
            card.m_now = card.Now();
            // A process that died holding the mutex left the state between two accesses:
            // every access completes its change before it releases.
            if (wait == WAIT_ABANDONED)
                card.Trace(1, "! abandoned");
            card.Advance();
        }
        ~Guard()
        {
            if (SUCCEEDED(m_result))
                ReleaseMutex(m_card.m_mutex);
        }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;
        HRESULT Result() const { return m_result; }

    private:
        CSimCard& m_card;
        HRESULT m_result;
    };

    CSimCard(DWORD number, SimShared* shared, HANDLE mapping, HANDLE mutex, bool ownsMemory);
    static void Initialise(SimShared* shared, const SimConfig& config);

    // Everything below runs with the card mutex held.
    LONGLONG Now();
    void Advance();
    void Trace(DWORD level, const char* format, ...);
    void TraceBytes(const char* prefix, BYTE device, const BYTE* data, DWORD count);

    // Bus (CSimCard_Bus.cpp)
    bool DeviceAcks(BYTE device);
    bool DemodPresent();
    HRESULT BusWrite(BYTE device, const BYTE* data, DWORD count);
    HRESULT BusRead(BYTE device, BYTE* data, DWORD count);
    void WriteEepromDevice(const BYTE* data, DWORD count);
    void WriteDemod(const BYTE* data, DWORD count);
    BYTE DemodStatus();

    // Silicon and register-table tuner chips (CSimCard_Chips.cpp)
    BYTE ChipKind();
    // The chip's own addresses: the PLL address, and the gate of a silicon tuner.
    bool ChipDevice(BYTE device);
    bool ChipAcks(BYTE device);
    void ChipWrite(BYTE device, const BYTE* data, DWORD count);
    void ChipRead(BYTE device, BYTE* data, DWORD count);
    void WriteSilicon(const BYTE* data, DWORD count);
    void WriteGate(const BYTE* data, DWORD count);
    BYTE GateRegister(BYTE reg);
    void WriteRegisterTable(const BYTE* data, DWORD count);
    void EndTable();
    void EvaluateChip(SimTuning* tuning);

    // Tuner (CSimCard_Tuner.cpp)
    // The station of the list nearest to t, -1 for none; *d = its frequency less t.
    static int NearestStation(const SimStation* stations, DWORD count, SimQuarterKHz t, SimQuarterKHz* d);
    void WritePll(const BYTE* data, DWORD count);
    void TracePllWrite();
    SimTuning Evaluate();
    const SimTunerProfile* ResolveProfile(DWORD* requested);
    BYTE PllStatus();
    bool PictureLocked(const SimTuning& tuning);
    bool TunerHasPicture();
    LONG HorizontalLocked();

    // GPIO, keys and controller (CSimCard_Gpio.cpp)
    DWORD GpioView();
    DWORD ReadGpio();
    void WriteGpio(DWORD mask, DWORD value);
    void ControllerSees(DWORD mask, DWORD value);
    void OpenFrame(DWORD value);
    void CloseFrame();
    void ExecuteCommand(BYTE command);
    // Where the controller's data byte sits in the word: lines 16-23, or 19-23 and 25-27.
    bool PackedGpioByte();
    // The controller presents remote keys on the GPIO lines, not through a key controller.
    bool KeysOnGpio();
    DWORD GpioDataLines();
    DWORD PackGpioByte(BYTE value);
    BYTE UnpackGpioByte(DWORD word);
    void PresentAnswer(DWORD kind, BYTE data);
    void AdvanceKeys(LONGLONG now);
    HRESULT GetRegister(DWORD reg, DWORD* value);
    void SetRegister(DWORD reg, DWORD value);

    // USB box (CSimCard_Box.cpp)
    bool BoxDemodDevice(BYTE device);
    void WriteBoxDemod(const BYTE* data, DWORD count);
    BYTE ReadBoxDemod();
    BYTE ReadBoxRegister(BYTE reg);
    void WriteBoxRegister(BYTE reg, BYTE value);
    HRESULT BoxFault(DWORD id);
    HRESULT BoxI2C(bool get, BYTE* data);

    // The boxes' key controller (CSimCard_Keys.cpp)
    bool VideoMuxDevice(BYTE device);
    void WriteVideoMux(const BYTE* data, DWORD count);
    BYTE ReadVideoMux();
    bool KeyControllerDevice(BYTE device);
    void WriteKeyController(const BYTE* data, DWORD count);
    BYTE ReadKeyController();

    // Tunnel (CSimCard_Tunnel.cpp)
    HRESULT TunnelRequest(const BYTE* request, DWORD length);

    // Encoder cards (CSimCard_Encoder.cpp)
    HRESULT EncoderRegister(bool get, BYTE device, DWORD mode, DWORD sub, DWORD* value);
    DWORD EncoderStatus(DWORD reg);

    // 16-byte family (CSimCard_Bus16.cpp)
    HRESULT Bus16Block(bool get, BYTE* data);
    DWORD Bus16Register(DWORD reg);
    // false when the register file is full.
    bool SetBus16Register(DWORD reg, DWORD value);

    // Property set (CSimCard_Property.cpp)
    HRESULT Dispatch(bool get, DWORD id, BYTE* data);
    HRESULT DriverEventProperty(DWORD id, const BYTE* data);

    DWORD m_number;
    SimShared* m_shared;
    HANDLE m_mapping;
    // Named "Sim2388x.Card<n>.Lock" for a shared card, unnamed for a private one: guards
    // everything in *m_shared, between threads and processes. Innermost of all locks.
    HANDLE m_mutex;
    bool m_ownsMemory;
    CSimQpcClock m_qpc;
    ISimClock* m_clock;             // weak: the test that set it outlives the card's use
    LONGLONG m_now;                 // time of the access in progress
};
