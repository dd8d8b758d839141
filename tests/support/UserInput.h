#pragma once

#include <windows.h>

// Real input through SendInput, as a user's hand would give it: the system moves the cursor,
// picks the window under it and queues the messages. Each call then dispatches this thread's
// messages for a moment, so the window has handled the input when it returns. Positions are
// in the window's client coordinates. The window should be shown and in front
// (BringToFront) for clicks and keys to reach it.
namespace UserInput {

void BringToFront(HWND window);
void MoveTo(HWND window, POINT client);
void Click(HWND window, POINT client);
void RightClick(HWND window, POINT client);
void DoubleClick(HWND window, POINT client);
// The left button pressed, or released, at a point (after moving there): a press held.
void ButtonDown(HWND window, POINT client);
void ButtonUp(HWND window, POINT client);
// Press at from, move in a few steps to to, release there.
void Drag(HWND window, POINT from, POINT to);
// A key down and up, with the modifiers (VK_CONTROL, VK_SHIFT, VK_MENU; 0 for none) held.
void Key(WORD vk, WORD modifier = 0);
// Dispatches this thread's pending messages (and those that arrive within ms).
void Settle(DWORD ms = 50);

} // namespace UserInput
