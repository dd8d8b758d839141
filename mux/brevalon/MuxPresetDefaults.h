#pragma once

#include "muxlib.h"

// The library's defaults for each preset. Plain data, no Windows calls: encoders that
// carry a settings block of the library's format fill it from the same table.
// False for a preset the table does not know; the block is then unchanged.
bool MuxFillPresetDefaults(int preset, MuxSettings* settings);
