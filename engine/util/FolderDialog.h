#pragma once

#include <afxwin.h>
#include <shlobj.h>

// The shell's folder browser, for the folders of recordings and snapshots. COM must be set up
// on the calling thread.
class CFolderDialog
{
public:
    // caption NULL: "Folder".
    CFolderDialog(LPCTSTR initialFolder, UINT flags, CWnd* parent, LPCTSTR caption);
    virtual ~CFolderDialog();

    // IDOK with the chosen folder when the user chose one that has a file-system path, else
    // IDCANCEL.
    INT_PTR DoModal();
    const CString& GetFolderPath() const { return m_chosenFolder; }

    // Only while the browser is open.
    void EnableOK(BOOL enable);
    void SetSelection(LPCITEMIDLIST item);
    void SetSelection(LPCTSTR path);
    void SetStatusText(LPCTSTR text);

    // The text as the status line shows it: past 35 characters cut to 35 whole characters and
    // "..." (a Chinese character is never split).
    static CString ShortStatusText(LPCTSTR text);

protected:
    // Selects and shows the initial folder and sets the caption.
    virtual void OnInitialized();
    // The selected folder becomes the current folder and the status text.
    virtual void OnSelChanged(LPITEMIDLIST item);

    HWND m_browseWnd;  // NULL while the browser is closed

private:
    CFolderDialog(const CFolderDialog&);
    CFolderDialog& operator=(const CFolderDialog&);

    enum { kStatusChars = 35 };

    static int CALLBACK BrowseCallback(HWND hWnd, UINT message, LPARAM lParam, LPARAM data);

    BROWSEINFOA m_browseInfo;
    CString m_initialFolder;
    CString m_chosenFolder;
    CString m_caption;
    char m_path[MAX_PATH];
};
