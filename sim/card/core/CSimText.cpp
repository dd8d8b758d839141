#include "CSimText.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

std::vector<std::string> CSimText::Split(const std::string& text, const char* separators)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (strchr(separators, c) != NULL) {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

bool CSimText::ParseNumber(const std::string& text, DWORD* value)
{
    if (text.empty())
        return false;
    const char* s = text.c_str();
    int base = 10;
    if (text.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s += 2;
        base = 16;
    }
    char* end = NULL;
    unsigned long v = strtoul(s, &end, base);
    if (*s == '\0' || *s == '-' || *end != '\0')
        return false;
    *value = v;
    return true;
}

bool CSimText::ParseHexByte(const std::string& text, BYTE* value)
{
    DWORD v = 0;
    if (text.size() > 2 || !ParseHexDword(text, &v))
        return false;
    *value = (BYTE)v;
    return true;
}

bool CSimText::ParseHexDword(const std::string& text, DWORD* value)
{
    const char* s = text.c_str();
    if (text.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s += 2;
    if (*s == '\0' || strlen(s) > 8 || *s == '-' || *s == '+')
        return false;
    char* end = NULL;
    unsigned long v = strtoul(s, &end, 16);
    if (*end != '\0')
        return false;
    *value = v;
    return true;
}

bool CSimText::ParseQuarterKHz(const std::string& text, SimQuarterKHz* value)
{
    if (text.empty() || text[0] == '-')
        return false;
    char* end = NULL;
    double v = strtod(text.c_str(), &end);
    if (*end != '\0')
        return false;
    double q = v * SIM_Q_PER_KHZ;
    LONG rounded = (LONG)(q + 0.5);
    if (rounded - q > 1e-6 || q - rounded > 1e-6)
        return false;
    *value = rounded;
    return true;
}

std::string CSimText::FormatQuarterKHz(SimQuarterKHz value, bool withSign)
{
    static const char* const FRACTIONS[] = { "", ".25", ".5", ".75" };
    std::string text = value < 0 ? "-" : (withSign ? "+" : "");
    LONG magnitude = value < 0 ? -value : value;
    return text + Format("%ld%s", magnitude / SIM_Q_PER_KHZ, FRACTIONS[magnitude % SIM_Q_PER_KHZ]);
}

std::string CSimText::Format(const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    return buffer;
}

bool CSimText::EqualsNoCase(const std::string& a, const char* b)
{
    return _stricmp(a.c_str(), b) == 0;
}
