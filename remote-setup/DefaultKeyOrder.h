#pragma once

// The 50 assignable remote keys in the order of a key map.
struct DefaultKeyOrder
{
    enum { kCount = 50 };
    static const int kIds[kCount];
};
