#pragma once

#include <windows.h>

#include <functional>

// Dispatches this thread's messages (timers included) until done() holds or timeoutMs has
// passed; whether done() held. Serves code that runs on thread timers or window timers.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);
