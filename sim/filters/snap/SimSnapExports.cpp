// The module's exports: the snap-picture and still-capture filters.
#include "CSimSnapPictureFilter.h"
#include "CSimStillCaptureFilter.h"
#include "SimComExports.h"

namespace
{
// Made by class identifier only: never offered to intelligent connect.
const CComServer::FilterEntry FILTER = { &CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr };
const CComServer::ClassEntry CLASSES[] = {
    { &CLSID_SimSnapPicture, L"Quorvex Snap Picture Filter", SimCreate<CSimSnapPictureFilter>, &FILTER },
    { &CLSID_SimStillCapture, L"InterVideo Still Capture for Quorvex", SimCreate<CSimStillCaptureFilter>, &FILTER },
};
}

SIM_COM_EXPORTS(CLASSES)
