#include "ChannelEntry.h"

#include <cstdlib>

namespace {

// "a,1" is too short to be a channel; "x,,5" (no frequency, flags 5) is not.
const int kShortestText = 4;

} // namespace

CChannelEntry::CChannelEntry()
    : m_frequency(0), m_flags(0)
{
}

CChannelEntry::CChannelEntry(int frequency, const char* name, DWORD flags)
    : m_name(name), m_frequency(frequency), m_flags(flags)
{
}

CChannelEntry::CChannelEntry(const char* text)
    : m_frequency(0), m_flags(0)
{
    Parse(text);
}

CChannelEntry::~CChannelEntry()
{
}

// The frequency and the flags are the last two fields, so a name that holds a comma of its
// own (the user may type one) reads back whole instead of pushing the frequency into the
// flags. A trail byte of a Chinese character is never a comma, so plain byte search is safe.
BOOL CChannelEntry::Parse(const char* text)
{
    CString line(text);
    int first = line.Find(',');
    if (line.GetLength() < kShortestText || first < 0)
        return FALSE;
    int last = line.ReverseFind(',');
    if (last == first) {
        m_name = line.Left(first);
        m_frequency = atol(line.Mid(first + 1));
        m_flags = 1;
        return TRUE;
    }
    int middle = line.Left(last).ReverseFind(',');
    m_name = line.Left(middle);
    m_frequency = atol(line.Mid(middle + 1, last - middle - 1));
    m_flags = (DWORD)atol(line.Mid(last + 1));
    return TRUE;
}

CString CChannelEntry::Format() const
{
    CString text;
    text.Format("%s,%d,%d", (LPCTSTR)m_name, m_frequency, (int)m_flags);
    return text;
}
