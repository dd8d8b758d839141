// CPtrArray: a growable array of void* (see CArrayImpl.h for the sizing rules).
#pragma once

#include "CArrayImpl.h"

class CPtrArray : public afx_internal::CArrayImpl<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};
