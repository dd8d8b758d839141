#pragma once

#include "afxwin.h"

// The desktop's application object. Only one desktop runs: a plain start relaunches the program
// with "/noexit" and ends, a later start hands its page request to the running window and ends,
// and only the "/noexit" copy builds the frame, document and view.
class CVelmoraApp : public CWinApp
{
public:
    CVelmoraApp();

    // The page request that command words ask for, searched as case-sensitive substrings of
    // the arguments (not of the program's own path): "TV" home page and the TV program,
    // "Picture" 1, "Video" 2, "Music" 3, none the home page. The first word of that order
    // found decides.
    static void ReadCommandWords(LPCTSTR arguments, int* page, int* request);

    // The window whose handle the running desktop left in the section that every copy of the
    // program shares; NULL unless it is still a window titled as the desktop.
    static HWND FindSharedWindow();

    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    BOOL StartDesktop(int page, int request);

    // Held for the life of the process.
    HANDLE m_mutex;
    BOOL m_comStarted;
};
