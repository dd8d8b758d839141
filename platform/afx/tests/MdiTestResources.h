#pragma once

#define IDR_MDI_TEST 7101
#define ID_MDI_NEW 47101
