#pragma once

#include <windows.h>

// The waits inside the chip drivers' programming sequences (calibration, table chunks,
// resets). They are spent on the given event's time-out, or with Sleep without one. A test
// replaces them to write the waits down instead of spending them; the product never does.
typedef void (*ChipWaitFunction)(DWORD ms);

void ChipWait(HANDLE event, DWORD ms);
inline void ChipWait(DWORD ms)
{
    ChipWait(NULL, ms);
}

// NULL restores the real waits. Returns the function replaced.
ChipWaitFunction ReplaceChipWait(ChipWaitFunction wait);
