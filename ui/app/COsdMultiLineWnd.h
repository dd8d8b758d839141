#pragma once

#include "COsdWnd.h"

// Several lines of on-screen text one below the other, split at line feeds; empty lines take
// no room.
class COsdMultiLineWnd : public COsdWnd
{
public:
    void Layout() override;
};
