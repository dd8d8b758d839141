#include "KsPropertyI2CC.h"

HRESULT CKsPropertyI2CC::SetControlLine(int state)
{
    return CI2CAccess::SetControlLine(state);
}
