#include "UserInput.h"

#include "PumpMessages.h"

#include <vector>

namespace UserInput {

namespace {

INPUT MouseInput(DWORD flags, POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 over the primary screen.
    input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

POINT ToScreen(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return client;
}

void Send(std::vector<INPUT> inputs)
{
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    Settle();
}

INPUT KeyInput(WORD vk, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = (WORD)MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = flags;
    return input;
}

void Press(HWND window, POINT client, DWORD down, DWORD up, int times)
{
    POINT screen = ToScreen(window, client);
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE, screen)};
    for (int i = 0; i < times; ++i) {
        inputs.push_back(MouseInput(down, screen));
        inputs.push_back(MouseInput(up, screen));
    }
    Send(inputs);
}

} // namespace

void Settle(DWORD ms)
{
    PumpMessagesUntil([] { return false; }, ms);
}

void BringToFront(HWND window)
{
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    Settle();
}

void MoveTo(HWND window, POINT client)
{
    Send({MouseInput(MOUSEEVENTF_MOVE, ToScreen(window, client))});
}

void Click(HWND window, POINT client)
{
    Press(window, client, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1);
}

void RightClick(HWND window, POINT client)
{
    Press(window, client, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

void DoubleClick(HWND window, POINT client)
{
    Press(window, client, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
}

void ButtonDown(HWND window, POINT client)
{
    POINT screen = ToScreen(window, client);
    Send({MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(MOUSEEVENTF_LEFTDOWN, screen)});
}

void ButtonUp(HWND window, POINT client)
{
    POINT screen = ToScreen(window, client);
    Send({MouseInput(MOUSEEVENTF_MOVE, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen)});
}

void Drag(HWND window, POINT from, POINT to)
{
    POINT start = ToScreen(window, from);
    POINT end = ToScreen(window, to);
    Send({MouseInput(MOUSEEVENTF_MOVE, start), MouseInput(MOUSEEVENTF_LEFTDOWN, start)});
    const int kSteps = 4;
    for (int i = 1; i <= kSteps; ++i) {
        POINT step = {start.x + (end.x - start.x) * i / kSteps,
                      start.y + (end.y - start.y) * i / kSteps};
        Send({MouseInput(MOUSEEVENTF_MOVE, step)});
    }
    Send({MouseInput(MOUSEEVENTF_LEFTUP, end)});
}

void Key(WORD vk, WORD modifier)
{
    std::vector<INPUT> inputs;
    if (modifier != 0)
        inputs.push_back(KeyInput(modifier, 0));
    inputs.push_back(KeyInput(vk, 0));
    inputs.push_back(KeyInput(vk, KEYEVENTF_KEYUP));
    if (modifier != 0)
        inputs.push_back(KeyInput(modifier, KEYEVENTF_KEYUP));
    Send(inputs);
}

} // namespace UserInput
