#include "ListViewOfProcess.h"

#include <commctrl.h>

ListViewOfProcess::ListViewOfProcess(HWND list) : m_list(list), m_process(NULL), m_buffer(NULL)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (m_process)
        m_buffer = (char*)VirtualAllocEx(m_process, NULL, kBufferSize, MEM_COMMIT | MEM_RESERVE,
                                         PAGE_READWRITE);
}

ListViewOfProcess::~ListViewOfProcess()
{
    if (m_buffer)
        VirtualFreeEx(m_process, m_buffer, 0, MEM_RELEASE);
    if (m_process)
        CloseHandle(m_process);
}

int ListViewOfProcess::Count() const
{
    return (int)SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0);
}

std::string ListViewOfProcess::Text(int row, int column) const
{
    if (!m_buffer)
        return "<no buffer>";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = m_buffer + sizeof(item);
    item.cchTextMax = kBufferSize - (int)sizeof(item);
    char empty = 0;
    WriteProcessMemory(m_process, m_buffer, &item, sizeof(item), NULL);
    WriteProcessMemory(m_process, item.pszText, &empty, 1, NULL);
    int length = (int)SendMessageA(m_list, LVM_GETITEMTEXTA, row, (LPARAM)m_buffer);
    std::string text(length, '\0');
    if (length > 0)
        ReadProcessMemory(m_process, item.pszText, &text[0], length, NULL);
    return text;
}

int ListViewOfProcess::Selected() const
{
    return (int)SendMessageA(m_list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
}

int ListViewOfProcess::FindRow(const std::string& text) const
{
    for (int row = 0; row < Count(); ++row) {
        if (Text(row, 0) == text)
            return row;
    }
    return -1;
}

POINT ListViewOfProcess::RowCentre(int row) const
{
    RECT rect = {};
    rect.left = LVIR_LABEL;
    if (m_buffer) {
        WriteProcessMemory(m_process, m_buffer, &rect, sizeof(rect), NULL);
        SendMessageA(m_list, LVM_GETITEMRECT, row, (LPARAM)m_buffer);
        ReadProcessMemory(m_process, m_buffer, &rect, sizeof(rect), NULL);
    }
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
