// Resources of afx_wnd_tests (WndTests.rc).
#pragma once

#define IDD_MAIN 201
#define IDD_MODELESS 202
#define IDD_PAGE 203
#define IDD_DDX 204

#define IDC_EDIT 1001
#define IDC_PAGE_BUTTON 1002
#define IDC_NAME 1010
#define IDC_COUNT 1011
#define IDC_BYTES 1012
#define IDC_CHECK 1013
#define IDC_RADIO1 1014
#define IDC_RADIO2 1015
#define IDC_RADIO3 1016
#define IDC_COMBO 1017
#define IDC_DATE 1018
