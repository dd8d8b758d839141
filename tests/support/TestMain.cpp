#include <gtest/gtest.h>

#include "HelperProcess.h"

int main(int argc, char** argv)
{
    int helperResult = 0;
    if (HelperProcess::RunFromCommandLine(argc, argv, &helperResult))
        return helperResult;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
