#pragma once

#include <windows.h>

// Layout of one simulated card's state. The same bytes sit either in a named mapping
// ("Sim2388x.Card<n>.State", shared by every process of the prefix) or on the heap for a
// private card, so everything here is plain data: no pointers, no constructors.
// Change SIM_SHARED_VERSION whenever a field moves.

const char  SIM_SHARED_MAGIC[4]  = { 'S', 'C', '8', '8' };
const DWORD SIM_SHARED_VERSION   = 7;
const DWORD SIM_SHARED_BYTES     = 1 << 20;

const int SIM_MAX_CARDS          = 10;
const int SIM_MAX_STATIONS       = 64;
const int SIM_STATION_LABEL      = 24;
const int SIM_MAX_EXTRA_ACK      = 16;
const int SIM_MAX_PROFILE_DEFS   = 16;
const int SIM_PROFILE_NAME       = 24;
const int SIM_KEY_QUEUE          = 16;
const int SIM_SCRATCH_REGISTERS  = 32;
const int SIM_PROPERTY_IDS       = 11;
const int SIM_PROCAMP_PROPERTIES = 7;
const int SIM_AUDIO_INPUT_PINS   = 2;
const int SIM_VIDEO_PINS         = 2;
const int SIM_TRACE_LINES        = 4096;
const int SIM_TRACE_TEXT         = 116;

// Frequencies inside the model are counted in quarter kHz: every divider step of the
// profiles (62.5, 31.25, 50 kHz) and every AFC threshold is then a whole number.
typedef LONG SimQuarterKHz;
const SimQuarterKHz SIM_Q_PER_KHZ = 4;

struct SimStation
{
    DWORD kHz;
    char  label[SIM_STATION_LABEL];
};

// One PLL tuner module as the card's bus sees it.
struct SimTunerProfile
{
    DWORD id;
    char  name[SIM_PROFILE_NAME];
    DWORD tvIfKHz;
    DWORD lPrimeIfKHz;      // IF while the demodulator is set for SECAM L' (register 0 = 0x86); 0: none
    DWORD splitHigh1KHz;    // below it band byte 1
    DWORD splitHigh2KHz;    // below it band byte 2, from it on band byte 3
    BYTE  bandBytes[3];
    BYTE  controlByte;
    BYTE  hasFm;
    BYTE  fmControlByte;
    BYTE  fmBandByte;
    BYTE  hasDemod;
    DWORD fmIfKHz;
    DWORD fmStepQ;          // FM divider step in quarter kHz
    BYTE  codes[5];         // status codes for +125, +62.5, in tune, -62.5, -125
    BYTE  fmLockCode;
    BYTE  chip;             // SIM_CHIP_*: what answers at the PLL address
};

// The tuner chip at the PLL address: a PLL module, a silicon tuner behind the gate of its
// demodulator, or a register-table tuner.
enum { SIM_CHIP_PLL = 0, SIM_CHIP_SILICON = 1, SIM_CHIP_REGISTER_TABLE = 2 };

// The driver family a card presents itself as: which names it is registered under and which
// front end its filters put over the card.
enum {
    SIM_FAMILY_2388X = 0,       // the private property set of section 3.2
    SIM_FAMILY_USB2800 = 1,     // the USB box's private interface on its capture filter
    SIM_FAMILY_TUNNEL = 2,      // vendor control requests tunnelled through one property
    SIM_FAMILY_BUS16 = 3,       // 16-byte bus, register and control property sets
    SIM_FAMILY_USBCAM = 4,      // a USB camera: no card set, I420 besides the card's formats
    SIM_FAMILY_GO7007 = 5,      // the MPEG box: register, profile and media-type interfaces, MPEG pins
    // PCI cards on the private property set whose controller puts its byte on GPIO lines
    // 19-23 and 25-27 (section 4.7 otherwise); the 713x_IO card's driver also signals an event.
    SIM_FAMILY_713X_IO = 6,
    SIM_FAMILY_713X_3 = 7,
    SIM_FAMILY_713X_PIP = 8,
    SIM_FAMILY_DORIN = 9,
    SIM_FAMILY_PELTA = 10,
    // Conexant cards with the 2388x card's front end under other names.
    SIM_FAMILY_MCU_CARD = 11,
    SIM_FAMILY_MCU_2388X = 12,
    // The MPEG encoder cards: every chip behind the encoder driver's register property.
    SIM_FAMILY_ENCODER = 13,
    // The other PCI cards on the private property set: their crossbar's tuner is its first
    // input, and a remote key waits in GPIO lines 0-8 until one read takes it.
    SIM_FAMILY_PCI = 14,
    // The card set's requests on a later driver's own set, served by its tuner and capture
    // filters alike.
    SIM_FAMILY_CARD_EX = 15,
    // A card its driver reaches through its own device only: its filters serve no register set.
    SIM_FAMILY_DEVICE_IO = 16,
    SIM_FAMILY_COUNT
};

// Drivers that wire crossbar, TV tuner and TV-audio objects before their capture filter's
// input pin, with or without the tuner; they are in no graph and under no name.
enum { SIM_UPSTREAM_NONE = 0, SIM_UPSTREAM_ALL = 1, SIM_UPSTREAM_NO_TUNER = 2 };

const int SIM_BOX_INDIRECT = 128;
const int SIM_BOX_DEMOD_REGISTERS = 32;
const int SIM_TUNNEL_REPLY = 18;
const int SIM_BUS16_REGISTERS = 16;

// The instance values of a card (registration and `persist`), defaults in CSimConfig.
struct SimConfig
{
    DWORD card;
    BYTE  eeprom[256];
    DWORD profile;                  // 0: follow EEPROM[0x21]
    DWORD pllAddr;                  // 8-bit write form
    DWORD demod;                    // 0 absent, 1 present, 2 per profile
    DWORD extraAckCount;
    BYTE  extraAck[SIM_MAX_EXTRA_ACK];
    DWORD tvCount;
    SimStation tv[SIM_MAX_STATIONS];
    DWORD fmCount;
    SimStation fm[SIM_MAX_STATIONS];
    DWORD afcWindowKHz;
    DWORD hLockKHz;
    DWORD fmWindowKHz;
    DWORD pllLockMs;
    DWORD composite;
    DWORD svideo;
    DWORD mcuPresent;
    DWORD keyHoldMs;
    DWORD answerMs;
    DWORD idWords;
    char  videoSubtype[8];
    DWORD traceLevel;
    DWORD profileDefCount;
    SimTunerProfile profileDefs[SIM_MAX_PROFILE_DEFS];
    DWORD family;                   // SIM_FAMILY_*
    DWORD boxDemod;                 // USB box: 8-bit address of its demodulator, 0 none
    DWORD boxBusyReads;             // USB box: busy status reads per indirect access, ~0 held
    DWORD box4115;                  // USB box: what properties 4115, 4116, 4121 read
    DWORD box4116;
    DWORD box4121;
    DWORD keyController;            // 8-bit write address of the boxes' key controller, 0 none
    DWORD keyTunerCode;             // what its register 50 reads: the board's tuner code
    DWORD upstream;                 // SIM_UPSTREAM_*: the driver's filters before the capture filter
};

struct SimPllState
{
    DWORD     written;      // a tuning write has arrived since power-up
    DWORD     divider;      // N
    BYTE      cb;
    BYTE      bb;
    BYTE      ab;
    BYTE      hasAb;
    LONGLONG  dividerUs;    // time of the last divider write: the lock timer
};

// The silicon tuner and its gate demodulator.
struct SimSiliconState
{
    BYTE      chip[16];             // programming registers 0x00, 0x10, ... 0xF0
    DWORD     calibrated;           // the control register's done bit since the last divider write
    LONGLONG  dividerUs;
    BYTE      gate[64];             // demodulator registers
    BYTE      gatePointer;
};

// The register-table tuner.
struct SimRegisterTableState
{
    char      table[24];            // name of the table arriving or last arrived
    DWORD     tableWrites;          // its messages so far
    DWORD     tables;               // tables since power-up
    DWORD     pointer;              // register the next read answers
    DWORD     tuned;
    DWORD     divider;              // 15.625 kHz steps
    LONGLONG  tunedUs;
};

struct SimKey
{
    BYTE  key;
    DWORD holdMs;
};

struct SimGpioState
{
    DWORD latch;
    DWORD outputEnable;             // register 0x1B0's mask
    DWORD control;                  // register 0x1B0 as last written
    DWORD scratchCount;
    DWORD scratchReg[SIM_SCRATCH_REGISTERS];
    DWORD scratchValue[SIM_SCRATCH_REGISTERS];
};

// The small controller on the GPIO lines, and the remote-key lines it shares.
struct SimControllerState
{
    DWORD    frameOpen;
    DWORD    frameKind;
    DWORD    frameByte;
    LONGLONG lastCloseUs;           // -1: no frame closed yet
    DWORD    high;
    DWORD    low;
    DWORD    enabled;
    DWORD    frames;
    // Bits 16-23 driven by the controller from a presentation until the next frame write.
    DWORD    driveData;
    DWORD    dataByte;
    // An answer pulse: bit 11 low, bits 9-10 its kind.
    DWORD    answerShown;
    DWORD    answerKind;
    LONGLONG answerUs;
    DWORD    answerReads;
    // The key on the lines, and those waiting.
    DWORD    keyShown;
    SimKey   shownKey;
    LONGLONG keyUs;
    DWORD    keyReads;
    LONGLONG keyEndUs;              // -1: no key shown yet
    DWORD    keyCount;
    SimKey   keys[SIM_KEY_QUEUE];
};

struct SimDecoderState
{
    LONG tvFormat;
    LONG vcrLocking;
    LONG outputEnable;
    LONG procAmp[SIM_PROCAMP_PROPERTIES];
};

struct SimVideoFormat
{
    DWORD    subtypeCode;           // capture format code, ~0 unset
    LONG     width;
    LONG     height;
    LONGLONG interval;              // 100 ns
};

struct SimAudioState
{
    DWORD  enable[SIM_AUDIO_INPUT_PINS];
    double level[SIM_AUDIO_INPUT_PINS];
    DWORD  samplesPerSec;
    DWORD  channels;
    DWORD  bitsPerSample;
    DWORD  blocks;                  // audio buffers delivered
};

// The USB box's own registers and its driver's selectors.
struct SimBoxState
{
    BYTE  regs[256];
    WORD  indirect[SIM_BOX_INDIRECT];
    DWORD busyLeft;                 // status reads that still show busy
    DWORD statusReads;              // status reads since the last indirect access began
    DWORD regSelector;              // property 4101, 0 unarmed
    DWORD i2cSelector;              // property 4103, 0 unarmed
    DWORD value4107;
    DWORD failId;                   // an injected fault of one property id
    HRESULT failResult;
    DWORD failCount;
    BYTE  demodRegs[SIM_BOX_DEMOD_REGISTERS];
    BYTE  demodPointer;
};

// The key controller of the boxes (every family but the 2388x card's GPIO controller): a
// register file whose register 48 says whether a key waits and register 49 hands it over.
struct SimKeyControllerState
{
    BYTE  regs[256];
    BYTE  pointer;
};

// The tunnelled vendor requests' bridge: its register file, GPIO lines and last reply.
struct SimTunnelState
{
    BYTE  regs[256];
    DWORD lines;                    // GPIO line levels, bit per line 0-7
    BYTE  reply[SIM_TUNNEL_REPLY];
    DWORD replyLength;
};

// The 16-byte family's 32-bit register file, GPIO registers included.
struct SimBus16State
{
    DWORD count;
    DWORD reg[SIM_BUS16_REGISTERS];
    DWORD value[SIM_BUS16_REGISTERS];
    DWORD lines;                    // GPIO line levels
    DWORD outputs;                  // GPIO output enables
};

// The USB boxes' video multiplexer at 8-bit 0x4A/0x4B: a register file whose sub-address 2
// chooses in its low four bits the input that the picture comes from.
struct SimVideoMuxState
{
    BYTE  regs[16];
    BYTE  pointer;
};

// The event the driver signals, as the process that handed it over holds it, and the
// driver values of properties 8 and 10.
struct SimNotifyState
{
    DWORD    processId;             // 0: no event
    ULONGLONG handle;
    DWORD    started;               // property 8 since the last 9
    DWORD    startValue;
    DWORD    driverValue;
    DWORD    signals;
};

// The device-I/O family's GPIO bytes, one per tuner line.
struct SimDeviceIoState
{
    BYTE  line[2];
};

// The MPEG encoder cards' driver: its encoder registers, the status reads it shows busy or
// active for, the firmware versions it reports in turn, and every other property as last set.
const int SIM_ENCODER_IDS = 65;
const int SIM_ENCODER_VALUE = 112;
const int SIM_ENCODER_VERSIONS = 8;
const int SIM_ENCODER_VERSION_TEXT = 20;

struct SimEncoderState
{
    DWORD regs[256];
    DWORD busyReads;                // status reads with the busy bit still to come
    DWORD activeReads;              // status reads with the idle bit still set
    DWORD versionCount;
    DWORD versionNext;              // the last one repeats
    char  versions[SIM_ENCODER_VERSIONS][SIM_ENCODER_VERSION_TEXT];
    BYTE  refused[SIM_ENCODER_IDS]; // SUPPORT_GET, SUPPORT_SET bits the driver does not offer
    DWORD size[SIM_ENCODER_IDS];
    BYTE  value[SIM_ENCODER_IDS][SIM_ENCODER_VALUE];
};

struct SimCardState
{
    BYTE     eeprom[256];
    DWORD    eepromPointer;
    BYTE     demodRegs[3];
    BYTE     demodPointer;
    SimPllState pll;
    SimSiliconState silicon;
    SimRegisterTableState xc;
    SimGpioState gpio;
    SimControllerState mcu;
    SimDecoderState decoder;
    LONG     videoRoute;            // -1 none, 0-3
    LONG     audioRoute;            // -1 none, 4-6
    BYTE     nack[16];              // 7-bit addresses switched off, one bit each
    DWORD    failCount[SIM_PROPERTY_IDS];
    HRESULT  failResult[SIM_PROPERTY_IDS];
    SimVideoFormat videoFormat[SIM_VIDEO_PINS];
    DWORD    frames[SIM_VIDEO_PINS];
    SimAudioState audio;
    SimBoxState box;
    SimTunnelState tunnel;
    SimBus16State bus16;
    SimDeviceIoState deviceIo;
    SimKeyControllerState keyCtl;
    SimNotifyState notify;
    SimEncoderState encoder;
    SimVideoMuxState videoMux;
};

struct SimTraceLine
{
    DWORD seq;
    char  text[SIM_TRACE_TEXT];
};

struct SimTraceRing
{
    DWORD level;
    DWORD nextSeq;                  // sequence number of the next line; lines start at 1
    DWORD firstSeq;                 // lines before it were cleared
    SimTraceLine lines[SIM_TRACE_LINES];
};

struct SimSharedHeader
{
    char  magic[4];
    DWORD version;
    DWORD size;
    DWORD initialised;
};

struct SimShared
{
    SimSharedHeader header;
    SimConfig       config;
    SimCardState    state;
    SimTraceRing    trace;
};

static_assert(sizeof(SimShared) <= SIM_SHARED_BYTES, "card state outgrew its mapping");
