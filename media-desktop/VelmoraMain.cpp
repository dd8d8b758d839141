// The media desktop program, vlm.exe: the name its relaunch starts.
#include "CVelmoraApp.h"

CVelmoraApp theApp;
