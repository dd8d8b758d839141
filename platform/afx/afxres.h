// Resource ids and types the framework defines, for resource scripts and code. A script that
// includes this file has every window, dialog and common-control style, and the common
// controls' class names for CONTROL statements, which the system's headers give C code only.
#pragma once

#ifdef RC_INVOKED
#include <winresrc.h>
#define WC_HEADER "SysHeader32"
#define WC_LISTVIEW "SysListView32"
#define WC_TREEVIEW "SysTreeView32"
#define WC_TABCONTROL "SysTabControl32"
#define TRACKBAR_CLASS "msctls_trackbar32"
#define UPDOWN_CLASS "msctls_updown32"
#define PROGRESS_CLASS "msctls_progress32"
#define HOTKEY_CLASS "msctls_hotkey32"
#define TOOLTIPS_CLASS "tooltips_class32"
#define DATETIMEPICK_CLASS "SysDateTimePick32"
#define MONTHCAL_CLASS "SysMonthCal32"
#define WC_COMBOBOXEX "ComboBoxEx32"
#endif

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// A transparent trackbar background: a style newer than the system headers here give.
#ifndef TBS_TRANSPARENTBKGND
#define TBS_TRANSPARENTBKGND 0x1000
#endif

// The toolbar resource, which resource compilers have no statement for: a user type,
//     ID RT_TOOLBAR BEGIN 1, width, height, count, command ids... END
// (16-bit words; 0 for a separator) beside a bitmap resource of the same id holding one button
// image after the other (AfxToolBarData.h reads it).
#ifdef RC_INVOKED
#define RT_TOOLBAR 241
#else
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// The application's title: CWinApp takes m_pszAppName from this string when it has one.
#define AFX_IDS_APP_TITLE 0xE000

// Data exchange's messages for a refused value: a program's string table may give them in its
// own language; otherwise the framework's English texts are shown.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_UINT 0xF117

// The document/view framework: the untitled document's name (the framework's English text
// when the program has none), the new-file command and the id of a frame's view.
#define AFX_IDS_UNTITLED 0xE001
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define AFX_IDW_PANE_FIRST 0xE900
