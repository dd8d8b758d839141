// The framework's common-control classes.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

#include "CImageList.h"
#include "CSliderCtrl.h"
#include "CTabCtrl.h"
#include "CToolTipCtrl.h"
#include "CHeaderCtrl.h"
#include "CListCtrl.h"
#include "CTreeCtrl.h"
#include "CHotKeyCtrl.h"
#include "CDateTimeCtrl.h"

// Registers those classes of the common controls (ICC_ flags) once per process; the controls'
// Create calls it. A dialog template with common controls needs it before the dialog is made.
BOOL AFXAPI AfxInitCommonControls(DWORD dwClasses);
