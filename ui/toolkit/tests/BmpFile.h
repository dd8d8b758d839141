#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A 24-bit bottom-up BMP file whose pixels come from a function of x and y.
std::string Bmp(int width, int height, const std::function<COLORREF(int, int)>& pixel);

// A file of one flat colour.
std::string FlatBmp(int width, int height, COLORREF colour);
