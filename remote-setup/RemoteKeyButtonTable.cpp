#include "RemoteKeyButtonTable.h"

// id, name string, rectangle, pressed, hover, normal, disabled
const RemoteKeyButton RemoteKeyButtonTable::kRows[RemoteKeyButtonTable::COUNT] = {
#include "RemoteKeyButtonRows.inc"
};
