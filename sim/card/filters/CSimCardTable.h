#pragma once

#include "CSimCard.h"
#include "ISimValues.h"

// The cards this process has opened. A card stays open from its first filter until the
// module unloads, so its shared state lives as long as anything here may use it.
class CSimCardTable
{
public:
    // The card numbered by values' "SimCard" (0 when absent), opened and, when no process
    // had it yet, initialised from values. E_FAIL when the shared state does not match.
    static HRESULT Attach(ISimValues& values, CSimCard** card);
    // The card if this process has it open, else null.
    static CSimCard* Find(DWORD number);
};
