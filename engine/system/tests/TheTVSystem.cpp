#include "TVSystem.h"

CTVSystem theTVSystem;
