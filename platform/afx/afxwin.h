// The framework's application layer: the core (afx.h) plus the application object and window
// classes.
#pragma once

#include "afx.h"
#include "afxres.h"
#include "CCmdTarget.h"
#include "CWinApp.h"
#include "CWinThread.h"
#include "CWnd.h"
#include "CDialog.h"
