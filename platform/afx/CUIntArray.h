// CUIntArray: a growable array of UINT (see AfxArrayImpl.h for the sizing rules).
#pragma once

#include "AfxArrayImpl.h"

class CUIntArray : public afx_internal::CArrayImpl<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};
