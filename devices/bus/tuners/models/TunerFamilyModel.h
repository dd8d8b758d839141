#pragma once

#include "IfDemodulator.h"
#include "TunerModel.h"

// A tuner module of the family the card EEPROM can name: a CTunerModel whose constants come
// from its row of the tuner model table (TunerModelRecord). The module classes derive from it
// and replace operations only where their module differs from the classic PLL programming.
class CTunerFamilyModel : public CTunerModel
{
protected:
    CTunerFamilyModel(CI2CAccess* access, int typeId);

    // The tuning message with the frequency clamped into the module's bands, where the base
    // refuses a frequency outside them. ifKHz: the intermediate frequency of this tuning.
    BOOL SendClampedTvMessage(float kHz, int ifKHz);
    // The same with the auxiliary byte that six-byte modules take after the band byte.
    BOOL SendClampedTvMessage(float kHz, int ifKHz, BYTE auxiliary);
    // The six-byte modules' auxiliary byte for the current standard: their IF stage takes
    // SECAM L and L' (positive modulation) apart from every other standard.
    BYTE AuxiliaryByteForStandard() const;
    // The IF of a tuning in the current standard, for modules with their own IF under SECAM L'.
    int IfForStandard(int secamL1If) const;

    // TV status of the modules whose demodulator reports it: the module's own code for the
    // AFC position the form reads.
    BOOL ReadDemodulatorStatus(CIfDemodulator::StatusForm form, int* code);

    // FM tuning of the modules whose demodulator also serves the radio: the base tuning, then,
    // when that succeeded, the demodulator's radio set, whose result is the answer (a set
    // written without checks always succeeds).
    BOOL TuneFmWithRadioSet(float kHz, CIfDemodulator::Set radioSet);
    // FM status of those modules: the demodulator's reading, or the tuner's own status code
    // while the demodulator sees no carrier.
    BOOL ReadFmStatusOverTuner(CIfDemodulator::FmStatusForm form, int* code);

    // The IF demodulator beside the tuner, for the modules that carry one.
    CIfDemodulator m_demodulator;

private:
    void LoadRecord(int typeId);
    int BuildTvMessage(float kHz, int ifKHz, BYTE* message) const;
};
