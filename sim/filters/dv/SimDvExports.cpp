// The card-device module's COM server entry points: the DV camcorder and the DVB-C card's
// capture filter, which stand in the video input category under their drivers' FriendlyNames,
// which is how the program finds them, and two cards' MPEG encoder devices, which stand in the
// encoder device category the same way.
#include "CSimCardEncoderFilter.h"
#include "CSimDvFilter.h"
#include "CSimDvbcFilter.h"

#include "SimComExports.h"

#include <uuids.h>

namespace
{
const CComServer::FilterEntry kFilter = {&CLSID_VideoInputDeviceCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr};
// {19689BF6-C384-48FD-AD51-90E58C79F70B}: the encoder device category.
const GUID kEncoderCategory = {0x19689BF6, 0xC384, 0x48FD, {0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B}};
const CComServer::FilterEntry kEncoder = {&kEncoderCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr};

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimDvCamera, L"Microsoft DV Camera and VCR", SimCreate<CSimDvFilter>, &kFilter},
    {&CLSID_SimDvbcCapture, L"DVBC TS Capture", SimCreate<CSimDvbcFilter>, &kFilter},
    {&CLSID_SimBlackbirdEncoder, L"BlackBird MPEG Encoder", CSimCardEncoderFilter::CreateBlackbird, &kEncoder},
    {&CLSID_SimRaptorEncoder, L"Conexant Raptor Encoder", CSimCardEncoderFilter::CreateRaptor, &kEncoder},
};
}

SIM_COM_EXPORTS(kClasses)
