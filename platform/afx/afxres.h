// Resource ids the framework defines, for resource scripts and code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The application's title: CWinApp takes m_pszAppName from this string when it has one.
#define AFX_IDS_APP_TITLE 0xE000
