#pragma once

// The hyperlink test dialog.
#define IDD_LINK_TEST 520
#define IDC_LINK_EMPTY 521
#define IDC_LINK_TEXT 522
