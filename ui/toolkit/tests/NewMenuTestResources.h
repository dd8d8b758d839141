#pragma once

#define IDM_NEWMENU_TEST 4201
