#pragma once

#include "SimShared.h"

#include <string>
#include <vector>

// Small text helpers shared by the configuration, the trace and the command interpreter.
class CSimText
{
public:
    // Words separated by any of the separator characters; empty words are dropped.
    static std::vector<std::string> Split(const std::string& text, const char* separators);
    // Decimal, or hexadecimal with a 0x prefix.
    static bool ParseNumber(const std::string& text, DWORD* value);
    // Hexadecimal without prefix ("C0"), at most two digits.
    static bool ParseHexByte(const std::string& text, BYTE* value);
    // Hexadecimal with or without 0x prefix ("80004005").
    static bool ParseHexDword(const std::string& text, DWORD* value);
    // "31.25" or "10700" into quarter kHz; false for anything that is not a quarter.
    static bool ParseQuarterKHz(const std::string& text, SimQuarterKHz* value);
    // 471225, 99987.5, -81.25; withSign adds '+' to positive values.
    static std::string FormatQuarterKHz(SimQuarterKHz value, bool withSign = false);
    static std::string Format(const char* format, ...);
    static bool EqualsNoCase(const std::string& a, const char* b);
};
