#include "CFileChooser.h"

#include <shlobj.h>
#include <string.h>

#include <strsafe.h>

CFileChooser::CFileChooser(BOOL open, LPCSTR defaultExtension, LPCSTR filter, DWORD flags, HWND owner)
    : m_open(open)
{
    m_file[0] = m_title[0] = m_folder[0] = m_filter[0] = m_defaultExtension[0] = '\0';
    if (defaultExtension)
        StringCchCopyA(m_defaultExtension, sizeof(m_defaultExtension), defaultExtension);
    // The dialog wants the pairs separated by '\0'.
    if (filter) {
        StringCchCopyA(m_filter, sizeof(m_filter) - 1, filter);
        m_filter[sizeof(m_filter) - 1] = '\0';
        for (char* c = m_filter; *c; ++c) {
            if (*c == '|')
                *c = '\0';
        }
    }
    memset(&m_ofn, 0, sizeof(m_ofn));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = owner;
    m_ofn.lpstrFilter = m_filter[0] ? m_filter : NULL;
    m_ofn.lpstrFile = m_file;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_title;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.lpstrInitialDir = NULL;
    m_ofn.lpstrDefExt = m_defaultExtension[0] ? m_defaultExtension : NULL;
    m_ofn.Flags = flags | OFN_EXPLORER;
}

void CFileChooser::SetInitialFolder(LPCSTR folder)
{
    StringCchCopyA(m_folder, MAX_PATH, folder ? folder : "");
    m_ofn.lpstrInitialDir = m_folder[0] ? m_folder : NULL;
}

int CFileChooser::Choose()
{
    const BOOL chosen = m_open ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

int CALLBACK CFileChooser::BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data)
{
    const char* initial = (const char*)data;
    if (message == BFFM_INITIALIZED && initial && initial[0])
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, (LPARAM)initial);
    return 0;
}

int CFileChooser::BrowseForFolder(LPCSTR title, LPCSTR initialFolder, UINT flags, HWND owner)
{
    StringCchCopyA(m_folder, MAX_PATH, initialFolder ? initialFolder : "");
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = NULL;  // the desktop
    info.pszDisplayName = m_title;
    info.lpszTitle = title;
    info.ulFlags = flags;
    info.lpfn = BrowseCallback;
    info.lParam = (LPARAM)m_folder;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen)
        return 0;
    char path[MAX_PATH] = "";
    const BOOL isPath = SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    if (!isPath || strstr(path, "\\\\"))
        return 0;
    StringCchCopyA(m_file, MAX_PATH, path);
    return 1;
}
