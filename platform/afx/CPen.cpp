#include "CPen.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)
