#pragma once

#include <windows.h>

#include <functional>

// Polls the condition until it holds or timeoutMs has passed; whether it held. For state
// another process or thread changes (a window, a file, a service), where no message of this
// thread tells of the change.
bool WaitUntil(DWORD timeoutMs, const std::function<bool()>& condition);
