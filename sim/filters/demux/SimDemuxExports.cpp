// The module's exports: the COM server entry points over the module's class table.
#include "CSimMpeg2Demux.h"

#include "SimComExports.h"

#include <uuids.h>

namespace
{
const CLSID CLSID_SimMpeg2Demux = {0xAFB6C280, 0x2C41, 0x11D3, {0x8A, 0x60, 0x00, 0x00, 0xF8, 0x1E, 0x0E, 0x4A}};
const CComServer::FilterEntry kFilter = {&CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr};

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimMpeg2Demux, L"MPEG-2 Demultiplexer", SimCreate<CSimMpeg2Demux>, &kFilter},
};
}

SIM_COM_EXPORTS(kClasses)
