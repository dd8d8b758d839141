#pragma once

#include "FilterClassRecord.h"

#include <guiddef.h>

// The class records the graph builder's tests add to the registration list, and the test
// device category they bind from.
extern const GUID kGraphTestCategory;
// Made in process by their records: the test source and sink of the base classes, and a
// filter that every graph refuses.
extern const CLSID kTestSourceClsid;
extern const CLSID kTestSinkClsid;
extern const CLSID kRefusingClsid;

extern CFilterClassRecord g_nullRendererRecord;
extern CFilterClassRecord g_vexaCaptureRecord;
extern CFilterClassRecord g_simCaptureRecord;
