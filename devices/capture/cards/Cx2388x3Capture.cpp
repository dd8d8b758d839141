#include "Cx2388x3Capture.h"

void CCx2388x3Capture::Configure()
{
    SetTunerFilterName("Conexant 2388x_3 Tuner");
    InterlockedExchange(&m_holdTime, 500);
}

void CCx2388x3Capture::SetRemoteHoldTime(int ms)
{
    if (ms >= 1)
        InterlockedExchange(&m_holdTime, ms);
}
