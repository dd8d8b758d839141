#include "TunerXCEIVE3028.h"

CTunerXCEIVE3028::CTunerXCEIVE3028(CI2CAccess* access)
    : CTunerXCEIVE2028(access, 90)
{
}
