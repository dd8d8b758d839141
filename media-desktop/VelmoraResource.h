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

// The pages' command lists.
#define IDS_MY_TV 61211
#define IDS_MY_VIDEO 61212
#define IDS_MY_PICTURES 61213
#define IDS_MY_MUSIC 61214
#define IDS_MY_SETTINGS 61215
#define IDS_REFRESH 61216
#define IDS_SORT_BY_NAME 61217
#define IDS_SORT_BY_TIME 61218
#define IDS_BACK_HOME 61219
#define IDS_EXIT 61220
#define IDS_SLIDESHOW 61221

#define IDS_SETTINGS_TIP 61223
#define IDS_WEB_SITE_TIP 61227

// The frame's icon and its document template; the tray menu, kept but not shown by the frame.
#define IDR_MAINFRAME 128
#define IDR_TRAY 156
#define ID_SHOW_MAIN_WINDOW 32772
#define ID_EXIT_DESKTOP 32773
#define ID_APP_ABOUT_VLM 57664
#define IDS_MAIN_TITLE 61228
#define IDD_ABOUT_VLM 100
// The framework's application title: the profile's name and the Run value's.
#define IDS_APP_TITLE_VLM 57344

// The launcher's failures: the TV program, the help file, a media file.
#define IDS_TV_START_FAILED 61205
#define IDS_HELP_FAILED 61226
#define IDS_PLAY_FAILED 61229

// The preferences: the dialog and its pages' templates, the folder choosers' titles.
#define IDD_PREFERENCES 101
#define IDD_PICTURE_PREFS 102
#define IDD_TV_PREFS 152
#define IDD_VIDEO_PREFS 154
#define IDD_MUSIC_PREFS 155
#define IDD_GENERAL_PREFS 158
#define IDS_CHOOSE_VIDEO_FOLDER 61206
#define IDS_CHOOSE_MUSIC_FOLDER 61207
#define IDS_CHOOSE_PICTURE_FOLDER 61208
