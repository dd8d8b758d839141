// The module's exports: the COM server entry points. The codec is a device of the video
// compressor category under an instance key that lists it before the system's own codecs.
#include "CSimXvidCodec.h"

#include "SimComExports.h"

#include <uuids.h>

namespace
{
const CComServer::FilterEntry kDevice = {&CLSID_VideoCompressorCategory, MERIT_DO_NOT_USE, L"SimVcm-1-XviD", 0, nullptr};

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimXvidCodec, L"XviD MPEG-4 Codec", SimCreate<CSimXvidCodec>, &kDevice},
};
}

SIM_COM_EXPORTS(kClasses)
