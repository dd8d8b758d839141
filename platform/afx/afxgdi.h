// The framework's drawing classes: geometry, GDI objects and device contexts.
#pragma once

#include "CRect.h"
#include "CGdiObject.h"
#include "CPen.h"
#include "CBrush.h"
#include "CFont.h"
#include "CBitmap.h"
#include "CPalette.h"
#include "CRgn.h"
#include "CDC.h"
#include "CPaintDC.h"
#include "CClientDC.h"
#include "CWindowDC.h"
