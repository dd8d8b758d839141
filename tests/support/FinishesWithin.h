#pragma once

#include <windows.h>

#include <functional>

// Runs a call that might block for good on another thread and waits for it a bounded time.
// TRUE when it returned in time. A call that did not return still uses the caller's
// objects, so there is no safe way on: the test process then ends at once with a message,
// which fails the test instead of hanging the run.
bool FinishesWithin(DWORD timeoutMs, const std::function<void()>& call);
