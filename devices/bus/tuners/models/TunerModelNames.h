#pragma once

#include "CString.h"

#include <map>

// The process-wide table of tuner type names by type id, as the user's tuner list offers them.
typedef std::map<int, CString> TunerModelNameMap;

// Fills the table from the tuner model table, once: a table that already holds entries is
// left as it is. Call it on the user-interface thread before the table is read.
void InitTunerModelNames();
const TunerModelNameMap& GetTunerModelNameMap();
