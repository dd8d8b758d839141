#pragma once

#include <objbase.h>

// The name by which the "Omit" switch refers to an interface, or null for one it cannot omit.
const char* SimInterfaceName(REFIID iid);
