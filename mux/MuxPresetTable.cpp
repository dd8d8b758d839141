#include "MuxPresetTable.h"

const MuxPresetEntry MuxPresetTable[] = {
    // id, name, output stream
    {0, "MPEG 1", MuxPresetEntry::kMpeg1System},
    {1, "VCD", MuxPresetEntry::kMpeg1System},
    {2, "MPEG 2", MuxPresetEntry::kMpeg2Program},
    {3, "SVCD", MuxPresetEntry::kMpeg2Program},
    {4, "DVD MPEG2", MuxPresetEntry::kMpeg2Program},
    {13, "DVD MPEG1", MuxPresetEntry::kMpeg2Program},
    {5, "MPEG TS", MuxPresetEntry::kMpeg2Transport},
    {8, "DVB", MuxPresetEntry::kMpeg2Transport},
    {9, "MMV", MuxPresetEntry::kMpeg2Transport},
    {10, "DVHS", MuxPresetEntry::kMpeg2Transport},
    {11, "ATSC", MuxPresetEntry::kMpeg2Transport},
    {12, "ATSC-HI", MuxPresetEntry::kMpeg2Transport},
    {18, "HDV HD1", MuxPresetEntry::kMpeg2Transport},
    {19, "HDV HD2", MuxPresetEntry::kMpeg2Transport},
    {-1, nullptr, MuxPresetEntry::kMpeg2Program},
};

const MuxPresetEntry& MuxFindPreset(int id)
{
    const MuxPresetEntry* entry = MuxPresetTable;
    while (entry->id != -1 && entry->id != id)
        ++entry;
    return *entry;
}
