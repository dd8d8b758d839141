#pragma once

// Bitmaps of the skinned-control tests (SkinControlsArt.txt).
#define IDB_TEST_ARROW_FIRST   901
#define IDB_TEST_ARROW_SECOND  902
#define IDB_TEST_THUMB         903
#define IDB_TEST_TRACK         904
#define IDB_TEST_HEADER_LEFT   905
#define IDB_TEST_HEADER_MIDDLE 906
#define IDB_TEST_HEADER_RIGHT  907
