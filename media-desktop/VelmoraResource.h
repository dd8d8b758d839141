#pragma once

// Velmora's resource ids.

// The list's scroll arrows.
#define IDB_LIST_UP 130
#define IDB_LIST_DOWN 131
// The media browser's first four images: no picture, folder, file waiting, drive.
#define IDB_ENTRY_NONE 132
#define IDB_ENTRY_FOLDER 133
#define IDB_ENTRY_WAITING 135
#define IDB_ENTRY_DRIVE 176
// The command list's items: current, hover, the others.
#define IDB_MENU_ITEM_CURRENT 137
#define IDB_MENU_ITEM_HOVER 138
#define IDB_MENU_ITEM 139
// The caption bar's buttons, four states each: hover, normal, pressed, disabled.
#define IDB_WEB_PRESSED 144
#define IDB_WEB_HOVER 145
#define IDB_WEB_NORMAL 147
#define IDB_SETTINGS_HOVER 161
#define IDB_SETTINGS_NORMAL 162
#define IDB_SETTINGS_PRESSED 163
#define IDB_SETTINGS_DISABLED 164
#define IDB_HEADLINE 168

#define IDS_SETTINGS_TIP 61223
#define IDS_WEB_SITE_TIP 61227
