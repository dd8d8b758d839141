#pragma once

#include <windows.h>

// Points the shortcut at relativeLink under the common Start-menu Programs folder to target,
// with no arguments, and saves it in place. FALSE when the shortcut is missing or cannot be
// resolved, loaded or saved.
BOOL UpdateShortcutTarget(LPCSTR relativeLink, LPCSTR target);
