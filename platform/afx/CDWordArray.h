// CDWordArray: a growable array of DWORD (see AfxArrayImpl.h for the sizing rules).
#pragma once

#include "AfxArrayImpl.h"

class CDWordArray : public afx_internal::CArrayImpl<DWORD, DWORD> {
    DECLARE_DYNCREATE(CDWordArray)
};
