// The overlay mixer module's COM server entry points.
#include "CSimOverlayMixer.h"
#include "SimComExports.h"

namespace
{
// Made by class identifier only: never offered to intelligent connect.
const CComServer::FilterEntry FILTER = { &CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr };
const CComServer::ClassEntry CLASSES[] = {
    { &CLSID_SimOverlayMixer, L"Overlay Mixer", SimCreate<CSimOverlayMixer>, &FILTER },
};
}

SIM_COM_EXPORTS(CLASSES)
