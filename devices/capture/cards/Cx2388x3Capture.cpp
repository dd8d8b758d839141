#include "Cx2388x3Capture.h"

void CCx2388x3Capture::Configure()
{
    SetTunerFilterName("Conexant 2388x_3 Tuner");
    StoreRemoteHoldTime(500);
}
