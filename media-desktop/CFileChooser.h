#pragma once

#include <windows.h>

#include <commdlg.h>

// The system's open or save dialog over one record and its three buffers (file, title, folder),
// and the folder chooser, whose result lands in the file buffer.
class CFileChooser
{
public:
    // filter in the framework's form: pairs separated by '|', ending in "||".
    CFileChooser(BOOL open, LPCSTR defaultExtension, LPCSTR filter, DWORD flags, HWND owner = NULL);

    // IDOK when a file was chosen, else IDCANCEL.
    int Choose();
    // 1 when a folder was chosen whose path holds no double backslash (no network path), else 0.
    int BrowseForFolder(LPCSTR title, LPCSTR initialFolder, UINT flags, HWND owner);

    LPCSTR GetPath() const { return m_file; }
    LPCSTR GetFileTitle() const { return m_title; }
    void SetInitialFolder(LPCSTR folder);

    OPENFILENAMEA m_ofn;

private:
    static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);

    BOOL m_open;
    char m_file[MAX_PATH];
    char m_title[MAX_PATH];
    char m_folder[MAX_PATH];
    char m_filter[512];
    char m_defaultExtension[16];
};
