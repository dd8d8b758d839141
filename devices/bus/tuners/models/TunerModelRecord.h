#pragma once

#include <windows.h>

class CI2CAccess;
class CTunerModel;

// One tuner module type as the card EEPROM and the user's tuner list name it: its constants
// and the class that drives it. The table holds one row per type id in ascending order, from
// 0 ("MODEL_UNKNOWN", also the row of every id the table lacks) to 137.
struct TunerModelRecord
{
    enum { kMaxStandards = 18 };

    typedef CTunerModel* (*CreateFunction)(CI2CAccess* access);

    // Picture-carrier limits of the module's three bands, kHz. The tuning message picks the
    // band byte by comparing with high1 and high2; low2 and low3 only document the module.
    struct Bands
    {
        int low1, high1, low2, high2, low3, high3;
    };

    // The FM receiver, where the module has one. A module may carry FM values and still have
    // its receiver switched off (supported FALSE).
    struct FmPart
    {
        BOOL supported;
        int low, high, ifKHz;
        BYTE control, band;
    };

    int typeId;
    const char* name;               // NULL: a type the name table does not offer
    char makerLetter;
    Bands bands;
    int tvIf;                       // kHz
    FmPart fm;
    BYTE bandBytes[3];
    BYTE control;
    BYTE lockMask;
    BYTE readAddress;               // status reads
    BYTE writeAddress;              // tuning messages
    // The codes of the five AFC positions, in the order +125, +62.5, in tune, -62.5 and
    // -125 kHz; the in-tune code is the module's TV lock value.
    int statusCodes[5];
    int fmLockCode;
    BOOL reapplyStandard;           // the device sets the standard again after each tuning
    int videoStandard;              // AnalogVideoStandard the module starts in
    int standards[kMaxStandards];   // AnalogVideoStandard values offered, ended by 0
    CreateFunction create;          // NULL: no tuner class drives this type
};

// The row of typeId, or the "MODEL_UNKNOWN" row when the table has none.
const TunerModelRecord& FindTunerModelRecord(int typeId);
// The rows in ascending id order.
const TunerModelRecord* TunerModelRecords(int* count);
// A new tuner object for typeId on access (not owned), or NULL when no class drives that type
// or memory ran out. The caller owns the object.
CTunerModel* NewTunerModel(int typeId, CI2CAccess* access);
