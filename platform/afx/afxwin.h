// The framework's application layer: the core (afx.h) plus the application object and window
// classes.
#pragma once

// windowsx.h's message crackers share a name with CRgn::CopyRgn: a file that included it first
// keeps the member.
#undef CopyRgn

#include "afx.h"
#include "afxres.h"
#include "afxgdi.h"
#include "afxmsg.h"
#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "CHandleMap.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "CWinThread.h"
#include "CWnd.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CStatic.h"
#include "CButton.h"
#include "CEdit.h"
#include "CListBox.h"
#include "CComboBox.h"
#include "CScrollBar.h"
#include "CWaitCursor.h"
#include "CCreateContext.h"
#include "CDocument.h"
#include "CView.h"
#include "CFrameWnd.h"
#include "CDocTemplate.h"
#include "CSingleDocTemplate.h"
#include "CMultiDocTemplate.h"
#include "CMDIFrameWnd.h"
#include "CMDIChildWnd.h"
#include "CMiniFrameWnd.h"
#include "CMiniDockFrameWnd.h"
#include "AfxCancelModes.h"
#include "AfxEndDeferRegisterClass.h"
#include "CCommandLineInfo.h"
