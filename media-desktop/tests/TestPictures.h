#pragma once

#include <windows.h>

#include <string>

// The quarters of the test picture: top-left, top-right, bottom-left, bottom-right.
extern const COLORREF kQuarters[4];

// A JPEG of 64 by 32 pixels in four flat quarters, written by the system's encoder (COM
// initialised by the caller).
bool WriteQuartersJpeg(const std::string& path);
