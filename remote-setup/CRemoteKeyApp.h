#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// Tandril: one modal main dialog, with the program's folder as the home of all its files.
class CRemoteKeyApp : public CWinApp
{
public:
    BOOL InitInstance() override;

    // The folder of the program's file, with a trailing backslash.
    const CString& GetProgramFolder() const { return m_programFolder; }

private:
    CString m_programFolder;
};
