// The framework's core: CObject and run-time classes, exceptions, CString, time, files and the
// collection classes.
#pragma once

#include "afxdefs.h"
#include "CArchive.h"
#include "CArchiveException.h"
#include "CException.h"
#include "CFile.h"
#include "CFileException.h"
#include "CFileStatus.h"
#include "CMemoryException.h"
#include "CUserException.h"
#include "CObject.h"
#include "CRuntimeClass.h"
#include "CStdioFile.h"
#include "CString.h"
#include "CTime.h"
#include "CTimeSpan.h"
#include "afxcoll.h"
