#pragma once

// The filter's own service resolver for the multiplexing library: the C run-time's
// allocator and printers that send the library's messages to the debugger output.
extern "C" void* MuxGetLibService(const char* name);
