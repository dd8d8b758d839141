#include "CBrush.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
