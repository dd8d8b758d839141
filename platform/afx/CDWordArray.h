// CDWordArray: a growable array of DWORD (see CArrayImpl.h for the sizing rules).
#pragma once

#include "CArrayImpl.h"

class CDWordArray : public afx_internal::CArrayImpl<DWORD, DWORD> {
    DECLARE_DYNCREATE(CDWordArray)
};
