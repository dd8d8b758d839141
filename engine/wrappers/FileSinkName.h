#pragma once

#include <dshow.h>

// The file a file sink writes, named in the ANSI code page: the one conversion every writer
// wrapper uses.
class CFileSinkName
{
public:
    // FALSE without a sink or a name, when the name does not convert, or when the sink refuses it.
    static BOOL Set(IFileSinkFilter* sink, const char* name);
    // The sink's current file; FALSE (and an empty buffer) when it does not fit size bytes.
    static BOOL Get(IFileSinkFilter* sink, char* buffer, int size);
};
