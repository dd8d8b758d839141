// CByteArray: a growable array of BYTE (see AfxArrayImpl.h for the sizing rules).
#pragma once

#include "AfxArrayImpl.h"

class CByteArray : public afx_internal::CArrayImpl<BYTE, BYTE> {
    DECLARE_DYNCREATE(CByteArray)
};
