// The deinterlace module's COM server entry points.
#include "CSimDeinterlaceFilter.h"
#include "SimComExports.h"

namespace
{
// Made by class identifier only: never offered to intelligent connect.
const CComServer::FilterEntry FILTER = { &CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr };
const CComServer::ClassEntry CLASSES[] = {
    { &CLSID_SimDeinterlace, L"Quorvex Deinterlace Filter", SimCreate<CSimDeinterlaceFilter>, &FILTER },
};
}

SIM_COM_EXPORTS(CLASSES)
