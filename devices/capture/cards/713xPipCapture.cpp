#include "713xPipCapture.h"

#include "NamedMutex.h"

BOOL C713xPipCapture::InitDevice()
{
    ResetDevice();
    SetTunerFilterName("PhTVTune");
    if (!CFilterWrapper::Init())
        return FALSE;
    CNamedMutex mutex("Mutex_Remote_Control", FALSE);
    if (!mutex.Lock()) {
        MessageBoxA(NULL, "Initfilter lock failed", NULL, MB_OK);
        return FALSE;
    }
    BOOL created = OpenWithTuner();
    mutex.Unlock();
    return created;
}
