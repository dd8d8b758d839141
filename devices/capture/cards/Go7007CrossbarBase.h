#pragma once

#include "CrossbarWrapper.h"

// The GO7007 box's crossbar.
class CGo7007CrossbarBase : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;

    // Routes only inside the crossbar's pin counts; TRUE when it took the route.
    virtual BOOL RouteChecked(int input, int output) { return RouteCrossbar(input, output); }
};
