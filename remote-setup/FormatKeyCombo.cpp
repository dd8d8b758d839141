#include "FormatKeyCombo.h"

#include "SpecialKeyTable.h"

CString FormatKeyCombo(int ctrl, int alt, int shift, int specialKey, int character)
{
    CString text;
    if (ctrl)
        text += "CTRL+";
    if (alt)
        text += "ALT+";
    if (shift)
        text += "SHIFT+";
    if (specialKey)
        text += SpecialKeyTable::GetText(specialKey) + "+";
    if (character) {
        CString key;
        key.Format("%c+", character);
        text += key;
    }
    text.TrimRight('+');
    return text;
}
