#include "NameBuffer.h"

#include <vector>

void CNameBuffer::Copy(char* buffer, int size, const char* text)
{
    if (buffer == NULL || size <= 0)
        return;
    int length = 0;
    if (text != NULL) {
        while (text[length] != '\0') {
            int charSize = (IsDBCSLeadByte((BYTE)text[length]) && text[length + 1] != '\0') ? 2 : 1;
            if (length + charSize > size - 1)
                break;
            length += charSize;
        }
        memcpy(buffer, text, length);
    }
    buffer[length] = '\0';
}

void CNameBuffer::FromWide(char* buffer, int size, const WCHAR* text)
{
    if (buffer == NULL || size <= 0)
        return;
    buffer[0] = '\0';
    if (text == NULL)
        return;
    // WideCharToMultiByte writes nothing usable into a buffer that is too small, so a long
    // name is converted whole and then cut.
    int needed = WideCharToMultiByte(CP_ACP, 0, text, -1, NULL, 0, NULL, NULL);
    if (needed <= 0)
        return;
    std::vector<char> whole(needed);
    if (WideCharToMultiByte(CP_ACP, 0, text, -1, &whole[0], needed, NULL, NULL) > 0)
        Copy(buffer, size, &whole[0]);
}
