#pragma once

// Gantrix.rc: the property page's dialog, its title and texts, and the module's icon.
#define IDS_PAGE_TITLE 3
#define IDS_VERSION_FORMAT 4
#define IDS_FREE 5

#define IDI_GANTRIX 102
#define IDD_MUX_PAGE 103

#define IDC_VERSION 1000
#define IDC_MAKER 1027
#define IDC_PAGE_ICON 1028
#define IDC_SEGMENT_SIZE 1045
#define IDC_SEGMENT_LABEL 1046
#define IDC_SEGMENT_UNIT 1047
#define IDC_CLEAR_FILENAME 1048
#define IDC_FILE_GROUP 1053
#define IDC_TYPE_GROUP 1054
#define IDC_PRESET 1055
#define IDC_SYNC_AUDIO 1056
#define IDC_SPLIT_FILES 1057

// The module's file version, which the page shows.
#define GANTRIX_VERSION 1, 0, 3, 12
#define GANTRIX_VERSION_TEXT "1.0.3.12"
