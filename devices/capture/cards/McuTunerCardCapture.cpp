#include "McuTunerCardCapture.h"

void CMcuTunerCardCapture::Configure()
{
    SetTunerFilterName(TunerFilterName());
    StoreRemoteHoldTime(500);
}
