#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The test videos' frame size.
extern const LONG kAviWidth;
extern const LONG kAviHeight;

// Frame n's pixels: bottom-up rows of BGRX, each byte telling its frame, row and column apart.
std::vector<BYTE> AviFramePixels(int n);

// An uncompressed RGB32 AVI of `frames` frames at 25 a second, written by the system's AVI
// file library.
bool WriteAvi(const std::string& path, int frames);
