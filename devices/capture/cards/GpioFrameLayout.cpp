#include "GpioFrameLayout.h"

// Command and answer bytes are the controller's; the two layouts only place them.
const GpioFrameLayout kGpioFrames2388x = {
    // low bits, low shift, high shift, frame mask, answer mask
    0xFF, 16, 16, 0x00FF8600, 0x00FF0C00,
    // read high, read low, arm, disarm, arm answer, disarm answer
    0x01, 0x10, 0x33, 0x11, 0xCA, 0xBA,
    // key hold, lock
    1000, "Mutex_Remote_Control",
};

const GpioFrameLayout kGpioFrames713x = {
    0x1F, 19, 20, 0x0EF88600, 0x0EF80600,
    0x01, 0x10, 0x33, 0x11, 0xCA, 0xBA,
    1000, nullptr,
};
