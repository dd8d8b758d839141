#pragma once

// The panel the skins are put on: a control of every id the program's skins dress.
#define IDD_FUZZ_PANEL 100
