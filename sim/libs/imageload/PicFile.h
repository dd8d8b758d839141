#pragma once

#include <string>

// Whole-file reading and writing for the library's own codecs.
namespace PicFile
{
// kPicLibOk, kPicLibCannotOpen or kPicLibReadError.
int Read(const char* path, std::string* bytes);
// kPicLibOk or kPicLibCannotWrite; a failed write leaves no file.
int Write(const char* path, const std::string& bytes);
}
