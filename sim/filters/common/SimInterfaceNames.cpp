#include "SimInterfaceNames.h"

#include "mpconfig.h"
#include "simifaces.h"

#include <dshow.h>

namespace
{
struct NamedInterface
{
    const IID* iid;
    const char* name;
};

const NamedInterface NAMES[] = {
    { &IID_IDeinterlaceControl, "IDeinterlaceControl" },
    { &IID_IAvSwitch, "IAvSwitch" },
    { &IID_ISnapPicture, "ISnapPicture" },
    { &IID_IIviParams, "IIviParams" },
    { &IID_IMixerPinConfig, "IMixerPinConfig" },
    { &IID_IMixerPinConfig2, "IMixerPinConfig2" },
    { &IID_IFileSinkFilter, "IFileSinkFilter" },
    { &IID_IConfigAviMux, "IConfigAviMux" },
    { &IID_IConfigInterleaving, "IConfigInterleaving" },
    { &IID_IAMFilterMiscFlags, "IAMFilterMiscFlags" },
    { &IID_IAMExtDevice, "IAMExtDevice" },
    { &IID_IAMExtTransport, "IAMExtTransport" },
    { &IID_IAMTimecodeReader, "IAMTimecodeReader" },
    { &IID_IDvbcTsControl, "IDvbcTsControl" },
};
}

const char* SimInterfaceName(REFIID iid)
{
    for (const NamedInterface& entry : NAMES) {
        if (IsEqualIID(iid, *entry.iid))
            return entry.name;
    }
    return nullptr;
}
