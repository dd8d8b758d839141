#include "DefaultKeyOrder.h"

// The picture's order, but the desktop key (236) comes after the chapter keys.
const int DefaultKeyOrder::kIds[kCount] = {
    242, 225, 255, 254, 253, 224, 252, 251, 250, 227, 249, 248, 247, 226, 246, 245, 244,
    235, 234, 233, 237, 232, 243, 231, 241, 238, 229, 228, 187, 191, 165, 189, 186, 188,
    183, 181, 182, 180, 236, 179, 178, 177, 176, 174, 173, 172, 166, 190, 184, 168};
