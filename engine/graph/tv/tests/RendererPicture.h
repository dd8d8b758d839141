#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The card's picture as the video renderer drew it, read back through GDI: from the
// renderer's own window (which the null display driver keeps) or from the screen (a real
// display only). The card marks every picture with two words, each in a band of 32 black or
// white cells: its ID word (source, station index, station kHz) and its frame number.
class RendererPicture
{
public:
    enum { kIdBand = 0, kFrameBand = 1 };

    // The renderer's window: the first child of the owner window the graph draws in.
    static HWND VideoWindow(HWND owner);
    // The window's client area through its own DC.
    bool GrabWindow(HWND window);
    // A rectangle of the screen.
    bool GrabScreen(const RECT& rect);

    // The word of that band; false when a cell is neither black nor white (noise, no picture).
    bool Band(int band, DWORD* word) const;
    // A 24-bit bottom-up BMP of what was grabbed.
    bool SaveBmp(const std::string& path) const;

private:
    bool Grab(HDC source, int x, int y, int width, int height);

    int m_width = 0;
    int m_height = 0;
    // Top-down 0x00RRGGBB.
    std::vector<DWORD> m_pixels;
};

// The card's words that the tests compare against.
namespace CardPicture
{
// Bits 31-28 of the ID word: the routed input.
enum { kTunerInput = 1, kCompositeInput = 2, kSVideoInput = 3 };
inline DWORD InputOf(DWORD idWord) { return idWord >> 28; }
}
