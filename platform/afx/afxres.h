// Resource ids the framework defines, for resource scripts and code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The application's title: CWinApp takes m_pszAppName from this string when it has one.
#define AFX_IDS_APP_TITLE 0xE000

// Data exchange's messages for a refused value: a program's string table may give them in its
// own language; otherwise the framework's English texts are shown.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_UINT 0xF117
