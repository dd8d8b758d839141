// CUIntArray: a growable array of UINT (see CArrayImpl.h for the sizing rules).
#pragma once

#include "CArrayImpl.h"

class CUIntArray : public afx_internal::CArrayImpl<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};
