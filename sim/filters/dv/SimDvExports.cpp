// The card-device module's COM server entry points: the DV camcorder and the DVB-C card's
// capture filter, which stand in the video input category under their drivers' FriendlyNames,
// which is how the program finds them.
#include "CSimDvFilter.h"
#include "CSimDvbcFilter.h"

#include "SimComExports.h"

#include <uuids.h>

namespace
{
const CComServer::FilterEntry kFilter = {&CLSID_VideoInputDeviceCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr};

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimDvCamera, L"Microsoft DV Camera and VCR", SimCreate<CSimDvFilter>, &kFilter},
    {&CLSID_SimDvbcCapture, L"DVBC TS Capture", SimCreate<CSimDvbcFilter>, &kFilter},
};
}

SIM_COM_EXPORTS(kClasses)
