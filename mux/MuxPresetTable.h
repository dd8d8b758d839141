#pragma once

// The multiplex presets as the filter offers them, in the order the property page lists
// them, closed by id -1. The multiplex type of the settings block uses the same ids.
struct MuxPresetEntry
{
    enum Output { kMpeg1System, kMpeg2Program, kMpeg2Transport };

    int id;
    const char* name;
    Output output;
};

extern const MuxPresetEntry MuxPresetTable[];

// The row of a preset id, or the closing row (id -1, an MPEG-2 program stream).
const MuxPresetEntry& MuxFindPreset(int id);
