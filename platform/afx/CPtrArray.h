// CPtrArray: a growable array of void* (see AfxArrayImpl.h for the sizing rules).
#pragma once

#include "AfxArrayImpl.h"

class CPtrArray : public afx_internal::CArrayImpl<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};
