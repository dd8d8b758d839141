#include "RemoteKeyNameList.h"

#include "TandrilResource.h"

namespace {

struct RemoteKeyRow
{
    int id;
    UINT nameId;
};

// The picture's order. The names' string ids follow it but where the keys were renumbered
// on the picture (Vol and Ch, the chapter keys).
const RemoteKeyRow kRemoteKeys[] = {
    {242, IDS_KEY_MUTE},      {225, IDS_KEY_TV},        {255, IDS_KEY_VIDEO},
    {254, IDS_KEY_MUSIC},     {253, IDS_KEY_PHOTO},     {224, IDS_KEY_1},
    {252, IDS_KEY_2},         {251, IDS_KEY_3},         {250, IDS_KEY_4},
    {227, IDS_KEY_5},         {249, IDS_KEY_6},         {248, IDS_KEY_7},
    {247, IDS_KEY_8},         {226, IDS_KEY_9},         {246, IDS_KEY_DIGITS},
    {245, IDS_KEY_0},         {244, IDS_KEY_RECALL},    {235, IDS_KEY_START},
    {234, IDS_KEY_EXIT},      {233, IDS_KEY_CH_UP},     {237, IDS_KEY_CH_DOWN},
    {232, IDS_KEY_VOL_DOWN},  {243, IDS_KEY_VOL_UP},    {231, IDS_KEY_OK},
    {241, IDS_KEY_ESC},       {236, IDS_KEY_DESKTOP},   {238, IDS_KEY_TAB},
    {229, IDS_KEY_MENU},      {228, IDS_KEY_FULLSCREEN}, {187, IDS_KEY_TIMESHIFT},
    {191, IDS_KEY_SOURCE},    {165, IDS_KEY_RECORD},    {189, IDS_KEY_PLAY},
    {186, IDS_KEY_STOP},      {188, IDS_KEY_SNAPSHOT},  {183, IDS_KEY_REWIND},
    {181, IDS_KEY_FORWARD},   {182, IDS_KEY_PREVIOUS},  {180, IDS_KEY_NEXT},
    {179, IDS_KEY_WALL},      {178, IDS_KEY_CHANNEL},   {177, IDS_KEY_SOUND},
    {176, IDS_KEY_SUBTITLE},  {174, IDS_KEY_STEREO},    {173, IDS_KEY_LANGUAGE},
    {172, IDS_KEY_TELETEXT},  {166, IDS_KEY_RED},       {190, IDS_KEY_GREEN},
    {184, IDS_KEY_YELLOW},    {168, IDS_KEY_BLUE},
};

} // namespace

void RemoteKeyNameList::Build()
{
    m_entries.clear();
    for (const RemoteKeyRow& row : kRemoteKeys) {
        Entry entry = {row.id, CString()};
        entry.name.LoadString(row.nameId);
        m_entries.push_back(entry);
    }
}

CString RemoteKeyNameList::GetName(int id) const
{
    int index = FindId(id);
    return index < 0 ? CString() : m_entries[index].name;
}

int RemoteKeyNameList::FindId(int id) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == id)
            return (int)i;
    }
    return -1;
}

int RemoteKeyNameList::FindName(const char* name) const
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name.Compare(name) == 0)
            return (int)i;
    }
    return -1;
}
