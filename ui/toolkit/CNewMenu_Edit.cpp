#include "CNewMenu.h"
