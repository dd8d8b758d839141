// The module's exports: the COM server entry points over the module's class table.
#include "CSimTimeShiftFilter.h"

#include "SimComExports.h"

#include <uuids.h>

namespace
{
const CLSID CLSID_SimTimeShift = {0xC234F3EE, 0xE66E, 0x4519, {0x83, 0x39, 0xC9, 0x9E, 0xFA, 0xD3, 0x54, 0xE0}};
const CComServer::FilterEntry kFilter = {&CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr};

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimTimeShift, L"TimeShift", SimCreate<CSimTimeShiftFilter>, &kFilter},
};
}

SIM_COM_EXPORTS(kClasses)
