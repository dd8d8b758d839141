#include "AfxMbcs.h"

namespace afx_internal {

namespace {

struct LeadByteTable {
    bool lead[256];
    LeadByteTable()
    {
        for (int c = 0; c < 256; ++c)
            lead[c] = IsDBCSLeadByte((BYTE)c) != FALSE;
    }
};

} // namespace

bool IsLeadByte(unsigned char c)
{
    static const LeadByteTable table;
    return table.lead[c];
}

int CharStartAt(const char* s, int nLength, int index)
{
    int i = 0;
    while (i < index && i < nLength) {
        int nSize = CharSizeAt(s, i, nLength);
        if (i + nSize > index)
            return i;
        i += nSize;
    }
    return i;
}

bool CharInSet(const char* s, int i, int nSize, const char* set)
{
    int nSetLength = (int)strlen(set);
    for (int j = 0; j < nSetLength;) {
        int nSetSize = CharSizeAt(set, j, nSetLength);
        if (nSetSize == nSize && memcmp(set + j, s + i, nSize) == 0)
            return true;
        j += nSetSize;
    }
    return false;
}

void MapCharCase(const char* s, int i, int nSize, bool bUpper, char* out)
{
    if (nSize == 1) {
        char c = s[i];
        if (bUpper && c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
        else if (!bUpper && c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
        out[0] = c;
        return;
    }
    char mapped[2];
    if (LCMapStringA(LOCALE_SYSTEM_DEFAULT, bUpper ? LCMAP_UPPERCASE : LCMAP_LOWERCASE, s + i, 2,
                     mapped, 2) == 2) {
        out[0] = mapped[0];
        out[1] = mapped[1];
    } else {
        out[0] = s[i];
        out[1] = s[i + 1];
    }
}

} // namespace afx_internal
