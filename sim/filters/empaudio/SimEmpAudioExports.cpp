// The USB boxes' audio companion module: one COM class, no filter.
#include "CSimEmpAudio.h"

#include "SimComExports.h"

namespace
{
const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimEmpAudio, L"EMP audio companion", CSimEmpAudio::Create, nullptr},
};
}

SIM_COM_EXPORTS(kClasses)
