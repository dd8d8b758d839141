// The layout of a toolbar resource (type RT_TOOLBAR, afxres.h): all fields 16-bit.
#pragma once

#include "afxdefs.h"

struct AfxToolBarData {
    WORD wVersion;  // 1
    WORD wWidth;    // of one button image
    WORD wHeight;
    WORD wItemCount;

    // wItemCount command ids, 0 for a separator.
    const WORD* Items() const { return (const WORD*)(this + 1); }
    // The resource of that name in hInst, NULL when it is missing or too short for its count.
    static const AfxToolBarData* PASCAL Load(HINSTANCE hInst, LPCTSTR lpszResourceName);
};
