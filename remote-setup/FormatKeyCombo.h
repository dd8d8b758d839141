#pragma once

#include <afx.h>

// A key combination as the key list shows it: "CTRL+", "ALT+", "SHIFT+", the special key's
// text and the character, joined by "+" with every trailing "+" dropped (so Ctrl with the
// character '+' reads "CTRL").
CString FormatKeyCombo(int ctrl, int alt, int shift, int specialKey, int character);
