#pragma once

// The control panel's and the colour panel's dialog ids and control ids, as their skins name them.
#define IDD_PANEL 102
#define IDD_COLOR_PANEL 230
#define IDC_VOLUME 1081
#define IDC_CHANNEL_LABEL 1082
#define IDC_FORMAT_LABEL 1083
#define IDC_CLOCK_LABEL 1119
#define IDC_TIME_SHIFT 1205
