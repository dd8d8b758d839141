// The framework's application layer: the core (afx.h) plus the application object and window
// classes.
#pragma once

#include "afx.h"
#include "afxres.h"
#include "afxgdi.h"
#include "CCmdTarget.h"
#include "CHandleMap.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "CWinThread.h"
#include "CWnd.h"
#include "CDialog.h"
