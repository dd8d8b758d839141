#pragma once

#include <windows.h>

// One remote-control key on Tandril's picture: its button's control id is the remote-key id.
struct RemoteKeyButton
{
    int id;
    UINT nameId;  // string id of the key's name
    RECT rect;    // client pixels of the background picture
    UINT pressed;
    UINT hover;
    UINT normal;
    UINT disabled;
};

// The 53 keys in picture order (RemoteKeyButtons.txt): the 3 fixed keys, then the 50
// assignable ones.
struct RemoteKeyButtonTable
{
    enum { FIXED_COUNT = 3, COUNT = 53 };
    static const RemoteKeyButton kRows[COUNT];
};
