// Definitions shared by every header of the framework: the Windows headers, the C runtime
// headers MFC-era code expects to get from <afx.h>, diagnostics macros and POSITION.
#pragma once

#include <windows.h>
#include <tchar.h>
#include <limits.h>
#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#define AFXAPI __stdcall
#define AFX_CDECL __cdecl
#define AFX_INLINE inline

// Diagnostics. The suite is built without _DEBUG, where ASSERT and TRACE vanish and VERIFY
// still evaluates its expression, as in the real framework's release builds.
void AFX_CDECL AfxTrace(LPCTSTR lpszFormat, ...);
void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : ::AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define TRACE ::AfxTrace
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE 1 ? (void)0 : ::AfxTrace
#endif
#define ASSERT_VALID(pOb) ((void)0)
#define TRACE0(sz) TRACE(_T("%s"), _T(sz))
#define TRACE1(sz, p1) TRACE(_T(sz), p1)
#define TRACE2(sz, p1, p2) TRACE(_T(sz), p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(_T(sz), p1, p2, p3)
#define UNUSED(x)
#define UNUSED_ALWAYS(x) ((void)(x))

// An opaque iterator over lists and maps; NULL ends an iteration.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)
