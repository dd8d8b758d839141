// CCommandLineInfo: what the program's command line asks for, filled one argument at a time
// by CWinApp::ParseCommandLine. An argument that starts with '-' or '/' is a flag; the first
// other argument names a file to open (FileOpen); without one the command is FileNew.
// Unknown flags are ignored.
#pragma once

#include "CObject.h"
#include "CString.h"

class CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    CCommandLineInfo();
    ~CCommandLineInfo() override;

    // pszParam without its '-' or '/' when bFlag; bLast for the last argument.
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    int m_nShellCommand;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(LPCTSTR pszParam);
    void ParseParamNotFlag(LPCTSTR pszParam);
    void ParseLast(BOOL bLast);
};
