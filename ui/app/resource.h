// Resource ids of the TV program (Kavex.rc). Dialog, control, menu and string numbers are the
// program's own and stay fixed: skin files, key tables and other programs refer to them.
#pragma once

// Icon and bitmaps
#define IDR_MAINFRAME                   128
#define IDB_WALL_BACKGROUND             142
#define IDB_SHUTDOWN_LEFT               286
#define IDB_SHUTDOWN_RIGHT              287
// The video window's frame: caption, buttons and border
#define IDB_CAPTION_MIDDLE              201
#define IDB_CAPTION_RIGHT               202
#define IDB_CAPTION_LEFT                203
#define IDB_CLOSE_PRESSED               204
#define IDB_CLOSE_HOVER                 205
#define IDB_CLOSE_NORMAL                206
#define IDB_MAX_PRESSED                 208
#define IDB_MAX_HOVER                   209
#define IDB_MAX_NORMAL                  210
#define IDB_MIN_PRESSED                 212
#define IDB_MIN_HOVER                   213
#define IDB_MIN_NORMAL                  214
#define IDB_BORDER_RIGHT                217
#define IDB_BORDER_LEFT                 218
#define IDB_BORDER_BOTTOM               219
// The options menu: page bands, row backgrounds and the pictures of its cells
#define IDB_OPTIONS_BOTTOM              245
#define IDB_OPTIONS_ROW_SELECTED        246
#define IDB_OPTIONS_LEFT_HOT            247
#define IDB_OPTIONS_LEFT                248
#define IDB_OPTIONS_ROW                 249
#define IDB_OPTIONS_RIGHT_HOT           250
#define IDB_OPTIONS_RIGHT               251
#define IDB_OPTIONS_TRACK               252
#define IDB_OPTIONS_BAR_BACK            253
#define IDB_OPTIONS_BAR_FILL            254
#define IDB_OPTIONS_THUMB               255
#define IDB_OPTIONS_TOP                 256
// and the text of its page caption
#define IDS_OPTIONS_CAPTION             35230

// Dialogs
#define IDD_CONTROL_PANEL               102
#define IDD_VIDEO_WINDOW                129
#define IDD_COLOR_ADJUST                230
#define IDD_SETUP_WIZARD                236
#define IDD_AUTO_SHUTDOWN               305
#define IDD_ABOUTBOX                    100
#define IDD_OPTIONS_MENU                257

// Menus
#define IDR_PANEL_MENU                  131
#define IDR_FORMAT_MENU                 144
#define IDR_FM_FORMAT_MENU              280

// System menu item of the panel
#define IDM_ABOUTBOX                    16

// Controls of the control panel
#define IDC_CHANNEL_UP                  1000
#define IDC_CHANNEL_DOWN                1001
#define IDC_SNAPSHOT                    1002
#define IDC_RECORD                      1003
#define IDC_TV_WALL                     1004
#define IDC_SEARCH                      1005
#define IDC_SETUP                       1006
#define IDC_SWITCH_SOURCE               1007
#define IDC_LAST_CHANNEL                1008
#define IDC_FAVORITE                    1016
#define IDC_VOLUME                      1081
#define IDC_CHANNEL_LABEL               1082
#define IDC_FORMAT_LABEL                1083
#define IDC_MUTE                        1084
#define IDC_PLAYBACK                    1099
#define IDC_BROWSE                      1100
#define IDC_MINIMIZE                    1101
#define IDC_HELP_BUTTON                 1102
#define IDC_ABOUT                       1103
#define IDC_FORMAT                      1104
#define IDC_POWER                       1105
#define IDC_TV_DESKTOP                  1116
#define IDC_COLOR                       1117
#define IDC_CLOCK_LABEL                 1119
#define IDC_PAUSE                       1163
#define IDC_CHANNEL_LIST                1164
#define IDC_RESERVED                    1165
#define IDC_OSD_MENU                    1166
#define IDC_CHANGE_SKIN                 1202
#define IDC_TIMESHIFT_SLIDER            1205

// Controls of the about box
#define IDC_WEB_LINK                    1173
#define IDC_MAIL_LINK                   1174
#define IDC_UPDATE                      1183

// Controls of the shutdown countdown
#define IDC_SHUTDOWN_NOW                1112
#define IDC_SHUTDOWN_CANCEL             1113
#define IDC_SHUTDOWN_SECONDS            14010
#define IDC_SHUTDOWN_DOTS               14011

// Menu commands
#define ID_DIGIT_MODE                   3000
#define ID_FORMAT_AVI                   32784
#define ID_FORMAT_HIDVD                 32791
#define ID_TOPMOST                      32894
#define ID_FULL_SCREEN                  32895
#define ID_SIZE_HALF                    32896
#define ID_SIZE_NORMAL                  32897
#define ID_RATIO_FREE                   32898
#define ID_RATIO_4_3                    32899
#define ID_RATIO_16_9                   32900
#define ID_MUTE                         32902
#define ID_VOLUME_UP                    32903
#define ID_VOLUME_DOWN                  32904
#define ID_FM_FORMAT_PCM                34146
#define ID_FM_FORMAT_MP2                34148
#define ID_FM_FORMAT_CUSTOM             34149
#define ID_TIMESHIFT                    44150
#define ID_TIMESHIFT_PAUSE              44151

// Strings
#define IDS_ABOUTBOX                    101
#define IDS_VIDEO_WINDOW_TITLE          33878
#define IDS_SCAN_TITLE                  33879
#define IDS_RECORD                      33884
#define IDS_COLON                       33886
#define IDS_VOLUME                      33882
#define IDS_SNAPSHOT_DONE               33968
#define IDS_SNAPSHOT_FAILED             33969
#define IDS_RECORD_PAUSED               33970
#define IDS_RECORD_TIP                  33815
#define IDS_PAUSE_TIP                   33820
#define IDS_RECORD_FAILED               34022
#define IDS_WALL_EMPTY                  34023
#define IDS_TRAY_FAILED                 34043
#define IDS_FILE_MISSING                34045
#define IDS_DEVICE_FAILED               34046
#define IDS_DISK_FULL                   34047
#define IDS_RECORD_NO_SPACE             34050
#define IDS_UPDATER_FAILED              34052
#define IDS_UPDATER_MISSING             34053
#define IDS_BROWSER_MISSING             34054
#define IDS_PLAYER_MISSING              34055
#define IDS_PLAYER_FAILED               34056
#define IDS_BROWSER_FAILED              34057
#define IDS_STOP_FAILED                 34058
#define IDS_PRODUCT                     34100
#define IDS_UPDATE_SERVER               34101
#define IDS_UPDATE_USER                 34102
#define IDS_UPDATE_PASSWORD             34103
#define IDS_HELP_FAILED                 35244
#define IDS_TIMESHIFT_START_FAILED      45258
#define IDS_TIMESHIFT_PAUSE_FAILED      45259
#define IDS_TIMESHIFT_STOP_FAILED       45260
#define IDS_TIMESHIFT_ERROR             45261
#define IDS_TIMESHIFT_NO_SPACE          45262
#define IDS_TIMESHIFT                   45264
#define IDS_TIMESHIFT_MAX_LENGTH        45265
#define IDS_TIMESHIFT_STOP_TIP          45266
#define IDS_TIMESHIFT_PAUSE_TIP         45267
#define IDS_CONFIRM_EXIT                45272

// The settings dialog, its pages and the channel list
#define IDD_SETTINGS                    130
#define IDD_SCHEDULE_PAGE               132
#define IDD_VIDEO_PAGE                  133
#define IDD_SOURCE_PAGE                 134
#define IDD_RECORD_PAGE                 135
#define IDD_CHANNEL_PAGE                136
#define IDD_HOTKEY_PAGE                 137
#define IDD_STORAGE_PAGE                140
#define IDD_CHANNEL_LIST                231
#define IDR_CHANNEL_MENU                133
#define IDB_FAVORITE_STATES             141
#define IDC_SETTINGS_TAB                1010
#define IDC_CHANNEL_VIEW                1013
#define IDC_RENAME                      1014
#define IDC_CHANNEL_NAME                1015
#define IDC_SET_FAVORITE                1016
#define IDC_DELETE_CHANNEL              1017
#define IDC_FINE_TUNE                   1018
#define IDC_SET_FREQUENCY               1019
#define IDC_FREQUENCY                   1020
#define IDC_MOVE_UP                     1021
#define IDC_MOVE_DOWN                   1022
#define IDC_RESTORE_CHANNELS            1059
#define IDC_USE_FAVORITES               1060
#define IDC_INPUT_CABLE                 1206
#define IDC_INPUT_ANTENNA               1207
#define IDC_INPUT_FULL_RANGE            1208
#define ID_FAVORITE_ADD                 32781
#define ID_FAVORITE_REMOVE              32782
#define ID_DELETE_CHANNEL               32783
#define ID_ADD_CHANNEL                  34150
#define IDS_TAB_CHANNELS                34000
#define IDS_TAB_SOURCE                  34001
#define IDS_TAB_RECORD                  34002
#define IDS_TAB_SCHEDULE                34003
#define IDS_TAB_VIDEO                   34004
#define IDS_TAB_INTERFACE               34005
#define IDS_TAB_STORAGE                 34006
#define IDS_COLUMN_STATE                34034
#define IDS_COLUMN_NUMBER               34035
#define IDS_COLUMN_NAME                 34036
#define IDS_COLUMN_FREQUENCY            34037
#define IDS_COLUMN_ORDER                34038
#define IDS_ADD_CHANNEL                 34150
#define IDS_STOP_SCAN                   35228
#define IDS_START_SCAN                  35229
#define IDS_TAB_FM_CHANNELS             35249

// The schedule page and its scheduled-recording dialog
#define IDD_SCHEDULE_ITEM               138
#define IDC_SCHEDULE_VIEW               1050
#define IDC_SCHEDULE_ADD                1051
#define IDC_SCHEDULE_EDIT               1052
#define IDC_SCHEDULE_DELETE             1017
#define IDC_ENABLE_SHUT                 1075
#define IDC_SHUT_TIME                   1176
#define IDC_ITEM_SOURCE                 1069
#define IDC_ITEM_CHANNEL                1070
#define IDC_ITEM_LENGTH                 1071
#define IDC_ITEM_START                  1073
#define IDC_ITEM_WEEKDAYS               1074
#define IDC_ITEM_SHUT_DOWN              1075
#define IDC_ITEM_FROM_FAVORITES         1060
#define IDC_ITEM_DATE                   1160
#define IDC_ITEM_ONE_TIME               1161
#define IDC_ITEM_WARN                   1208
#define IDC_ITEM_POWER_ON               1210
#define IDC_ITEM_MUTE                   1211
#define IDC_ITEM_EARLY                  1212
#define IDC_ITEM_USER                   1213
#define IDC_ITEM_PASSWORD               1214
#define IDS_COLUMN_START_DATE           34029
#define IDS_COLUMN_START_TIME           34030
#define IDS_COLUMN_LENGTH               34031
#define IDS_COLUMN_CHANNEL              34032
#define IDS_COLUMN_SOURCE               34033
#define IDS_SUNDAY                      33848
#define IDS_MONDAY                      33849
#define IDS_TUESDAY                     33850
#define IDS_WEDNESDAY                   33851
#define IDS_THURSDAY                    33852
#define IDS_FRIDAY                      33853
#define IDS_SATURDAY                    33854
#define IDS_LOGON_FAILED                45274
#define IDS_LOGON_USER_MISSING          45275
#define IDS_POWER_ON_TOO_EARLY          45276
#define IDS_SCHEDULE_OVERLAP            45277
