// The USB boxes' audio companion module: one COM class, no filter.
#include "CSimEmpAudio.h"

#include "SimComExports.h"

namespace
{
const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimEmpAudio, L"EMP audio companion", SimCreate<CSimEmpAudio>, nullptr},
};
}

SIM_COM_EXPORTS(kClasses)
