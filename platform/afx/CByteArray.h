// CByteArray: a growable array of BYTE (see CArrayImpl.h for the sizing rules).
#pragma once

#include "CArrayImpl.h"

class CByteArray : public afx_internal::CArrayImpl<BYTE, BYTE> {
    DECLARE_DYNCREATE(CByteArray)
};
