#pragma once

// The writers' error printer: "Err:" and the message, to the debugger output.
extern "C" int MuxWriterError(const char* format, ...);
