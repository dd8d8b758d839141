#include "ChipWait.h"

namespace {

ChipWaitFunction g_replacement = NULL;

} // namespace

void ChipWait(HANDLE event, DWORD ms)
{
    ChipWaitFunction replacement = g_replacement;
    if (replacement)
        replacement(ms);
    else if (event)
        WaitForSingleObject(event, ms);
    else
        Sleep(ms);
}

ChipWaitFunction ReplaceChipWait(ChipWaitFunction wait)
{
    ChipWaitFunction previous = g_replacement;
    g_replacement = wait;
    return previous;
}
