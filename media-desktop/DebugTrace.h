#pragma once

// Sends one formatted line (printf rules) to the outside viewer, the window titled
// "DebugHelper ": 1 when there is one, else 0 and nothing is formatted. A text that does not
// format (or does not fit the line) is replaced by a fixed complaint, so the viewer still
// learns that a trace was made.
int DebugTrace(const char* format, ...);
