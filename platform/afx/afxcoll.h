// The framework's collection classes.
#pragma once

#include "afx.h"
#include "CByteArray.h"
#include "CDWordArray.h"
#include "CMapPtrToPtr.h"
#include "CMapStringToPtr.h"
#include "CMapStringToString.h"
#include "CPtrArray.h"
#include "CPtrList.h"
#include "CStringArray.h"
#include "CStringList.h"
#include "CUIntArray.h"
