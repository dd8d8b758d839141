#pragma once

#include <windows.h>

#include <string>

// A list view of another process, read and driven from a test. Its messages that carry a
// pointer are not carried across processes, so they go through a buffer in the list's own
// process.
class ListViewOfProcess
{
public:
    explicit ListViewOfProcess(HWND list);
    ~ListViewOfProcess();
    ListViewOfProcess(const ListViewOfProcess&) = delete;
    ListViewOfProcess& operator=(const ListViewOfProcess&) = delete;

    int Count() const;
    std::string Text(int row, int column) const;
    // The first selected row, -1 when none is.
    int Selected() const;
    // The row whose column 0 reads the text, -1 when none does.
    int FindRow(const std::string& text) const;
    // The centre of a row's label, in the list's client coordinates.
    POINT RowCentre(int row) const;

private:
    enum { kBufferSize = 4096 };

    HWND m_list;
    HANDLE m_process;
    char* m_buffer;  // in the list's process
};
