#pragma once

#include "CaptureDevice.h"

// What every CCaptureDevice of the test process answers the poll thread. Set it before
// the thread starts; reads are counted from the poll thread.
struct FakeCaptureDevice
{
    static CI2CAccess* access;
    static HWND notifyWnd;
    static int pollInterval;
    static BOOL keyPressed;
    static BYTE key;
    static volatile LONG reads;

    static void Reset();
    // A non-NULL access object for the poll thread to see; never used beyond that.
    static CI2CAccess* SomeAccess();
};
