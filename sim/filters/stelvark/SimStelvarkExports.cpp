// The module's exports: the COM server entry points over the module's class table.
#include "CSimMpegAudioDecoder.h"
#include "CSimMpegEncoder.h"
#include "CSimMpegVideoDecoder.h"
#include "SimStelvarkClasses.h"

#include "SimComExports.h"

#include <uuids.h>

namespace
{
const CComServer::FilterEntry kFilter = {&CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr};

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimMpegEncoder, L"Stelvark Demo MPEG Encoder", SimCreate<CSimMpegEncoder>, &kFilter},
    {&CLSID_SimMpegVideoDecoder, L"Stelvark Demo MPEG Video Decoder", SimCreate<CSimMpegVideoDecoder>, &kFilter},
    {&CLSID_SimMpegAudioDecoder, L"Stelvark Demo MPEG Audio Decoder", SimCreate<CSimMpegAudioDecoder>, &kFilter},
};
}

SIM_COM_EXPORTS(kClasses)
