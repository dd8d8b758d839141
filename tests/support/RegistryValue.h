#pragma once

#include <windows.h>

#include <string>

// Values a program under test left in the registry, read without caring how it wrote them.

// A DWORD value; missing when the key or value is absent or of another kind.
DWORD RegistryDword(HKEY root, const std::string& path, const char* name, DWORD missing = 0xFFFFFFFF);

// "N binary" for a binary value of N bytes, "N other" for another kind, else "missing" or "no key".
std::string RegistryValueShape(HKEY root, const std::string& path, const char* name);
