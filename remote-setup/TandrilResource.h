#pragma once

// Resource ids of Tandril, shared by its resource script and its code.

// Names of the remote-control keys.

#define IDS_KEY_POWER        120
#define IDS_KEY_MUTE         121
#define IDS_KEY_TV           122
#define IDS_KEY_VIDEO        123
#define IDS_KEY_MUSIC        124
#define IDS_KEY_PHOTO        125
#define IDS_KEY_1            126
#define IDS_KEY_2            127
#define IDS_KEY_3            128
#define IDS_KEY_4            129
#define IDS_KEY_5            130
#define IDS_KEY_6            131
#define IDS_KEY_7            132
#define IDS_KEY_8            133
#define IDS_KEY_9            134
#define IDS_KEY_DIGITS       135
#define IDS_KEY_0            136
#define IDS_KEY_RECALL       137
#define IDS_KEY_START        138
#define IDS_KEY_EXIT         139
#define IDS_KEY_CH_UP        140
#define IDS_KEY_VOL_DOWN     141
#define IDS_KEY_OK           142
#define IDS_KEY_VOL_UP       143
#define IDS_KEY_CH_DOWN      144
#define IDS_KEY_ESC          145
#define IDS_KEY_DESKTOP      146
#define IDS_KEY_TAB          147
#define IDS_KEY_WINDOW       148
#define IDS_KEY_MENU         149
#define IDS_KEY_FULLSCREEN   150
#define IDS_KEY_TIMESHIFT    151
#define IDS_KEY_SOURCE       152
#define IDS_KEY_RECORD       153
#define IDS_KEY_PLAY         154
#define IDS_KEY_STOP         155
#define IDS_KEY_SNAPSHOT     156
#define IDS_KEY_REWIND       157
#define IDS_KEY_FORWARD      158
#define IDS_KEY_NEXT         159
#define IDS_KEY_PREVIOUS     160
#define IDS_KEY_WALL         161
#define IDS_KEY_CHANNEL      162
#define IDS_KEY_SOUND        163
#define IDS_KEY_SUBTITLE     164
#define IDS_KEY_SHUTDOWN     165
#define IDS_KEY_STEREO       166
#define IDS_KEY_LANGUAGE     167
#define IDS_KEY_TELETEXT     168
#define IDS_KEY_RED          169
#define IDS_KEY_GREEN        170
#define IDS_KEY_YELLOW       171
#define IDS_KEY_BLUE         172

// Texts of the special keys (F2 to F12 and the number pad follow their first).

#define IDS_SPECIAL_F1         175
#define IDS_SPECIAL_NUMPAD0    187
#define IDS_SPECIAL_LEFT_WIN   198
#define IDS_SPECIAL_RIGHT_WIN  199
#define IDS_SPECIAL_SLEEP      200
#define IDS_SPECIAL_NUM_LOCK   201
#define IDS_SPECIAL_CAPS_LOCK  202
#define IDS_SPECIAL_INSERT     203
#define IDS_SPECIAL_DELETE     204
#define IDS_SPECIAL_PAGE_UP    205
#define IDS_SPECIAL_PAGE_DOWN  206
#define IDS_SPECIAL_END        207
#define IDS_SPECIAL_HOME       208
#define IDS_SPECIAL_LEFT       209
#define IDS_SPECIAL_UP         210
#define IDS_SPECIAL_RIGHT      211
#define IDS_SPECIAL_DOWN       212
#define IDS_SPECIAL_SPACE      220
#define IDS_SPECIAL_BACK       221
#define IDS_SPECIAL_ENTER      222
#define IDS_SPECIAL_NONE       223

// The factory key map, a Default.dat as it is first installed.
#define IDR_FACTORY_KEYMAP 407

// The About box and the main dialog.
#define IDD_ABOUTBOX   100
#define IDS_ABOUTBOX   101
#define IDD_REMOTEKEY  102
#define IDR_MAINFRAME  128
#define IDB_BACKGROUND 383

// The main dialog's controls; each remote-key button's id is its remote-key id.
#define IDC_PROGRAM_COMBO    1001
#define IDC_KEY_LIST         1003
#define IDC_PROGRAM_ADD      1004
#define IDC_PROGRAM_MODIFY   1005
#define IDC_PROGRAM_DELETE   1006
#define IDC_RESTORE_DEFAULT  1007
#define IDC_KEY_ADD          1008
#define IDC_KEY_MODIFY       1009
#define IDC_KEY_DELETE       1010
#define IDC_APPLY            1014
#define IDC_SCROLL_BAR       1018
#define IDC_HELP_BUTTON      1019
#define IDC_EXIT             1020
#define IDC_SERVICE_STATUS   1027
#define IDC_SERVICE_REMOVE   1028
#define IDC_SERVICE_START    1029
#define IDC_SERVICE_STOP     1030

// The main dialog's texts.
#define IDS_DEFAULT_SET        600
#define IDS_COLUMN_KEY         601
#define IDS_COLUMN_DESCRIPTION 602
#define IDS_RUN_DESCRIPTION    603
#define IDS_SAVE_QUESTION      604
#define IDS_SAVE_CAPTION       605
#define IDS_SERVICE_RUNNING    606
#define IDS_SERVICE_STOPPED    607
#define IDS_SERVICE_MISSING    608
#define IDS_SERVICE_UNKNOWN    609
#define IDS_START_OK           610
#define IDS_START_FAIL         611
#define IDS_STOP_OK            612
#define IDS_STOP_FAIL          613
#define IDS_WINDOW_TITLE       614

// The key-setting dialog.
#define IDD_KEY_SETTING      130
#define IDC_SPECIAL_KEY      1000
#define IDC_BROWSE_COMMAND   1001
#define IDC_ALT              1009
#define IDC_CTRL             1010
#define IDC_SHIFT            1011
#define IDC_COMMAND_PATH     1012
#define IDC_COMMAND_PARAMS   1013
#define IDC_KEY_APPLY        1014
#define IDC_KEY_COMBO        1015
#define IDC_CHARACTER        1029
#define IDC_MODE_KEYSTROKE   1043
#define IDC_MODE_RUN         1044

// The program-item dialog.
#define IDD_PROGRAM_ITEM     392
#define IDC_DISPLAY_NAME     1015
#define IDC_PROGRAM_PATH     1016
#define IDC_BROWSE_PROGRAM   1017
#define IDC_PRESET_COMBO     1031

// The texts of both dialogs.
#define IDS_NEW_PROGRAM      620
#define IDS_NAME_EMPTY       621
#define IDS_NAME_INVALID     622
#define IDS_FILE_EMPTY       623
#define IDS_ADD_PROGRAM      624
#define IDS_MODIFY_PROGRAM   625
#define IDS_DELETE_PROGRAM   626
#define IDS_EXE_FILTER       627
#define IDS_KEY_QUIT         628
#define IDS_KEY_ADD          629
