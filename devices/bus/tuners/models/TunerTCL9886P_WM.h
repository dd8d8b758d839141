#pragma once

#include "TunerFamilyModel.h"

// The "TCL9886P_WM" tuner module (type 17). Its demodulator is set per standard group.
class CTunerTCL9886P_WM : public CTunerFamilyModel
{
public:
    explicit CTunerTCL9886P_WM(CI2CAccess* access);
    virtual ~CTunerTCL9886P_WM();

    BOOL SetVideoStandard(int standard) override;
};
