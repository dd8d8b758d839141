#pragma once

#include <dshow.h>
#include <qedit.h>

// Class identifiers of Wine's stock filters that mingw's headers leave undeclared
// (libstrmiids defines them).
EXTERN_C const CLSID CLSID_SampleGrabber;
EXTERN_C const CLSID CLSID_NullRenderer;
