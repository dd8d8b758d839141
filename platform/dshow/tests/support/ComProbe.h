#pragma once

#include <objbase.h>

// Observations on COM objects for tests.
class CComProbe
{
public:
    // The object's reference count as its Release reports it (the probe's own AddRef undone).
    static ULONG RefCount(IUnknown* object);
    // Whether QueryInterface finds iid (a refusal must also clear the out pointer).
    static bool Supports(IUnknown* object, REFIID iid);
};
