// The command words that turn a start of the desktop into a page request.
#include <gtest/gtest.h>

#include "CVelmoraApp.h"

TEST(VelmoraCommandWords, TheFirstWordOfTheOrderDecides)
{
    struct Case
    {
        const char* arguments;
        int page;
        int request;
    };
    const Case cases[] = {
        {"", 0, 0},
        {"/noexit ", 0, 0},
        {"TV", 0, 2202},
        {"/noexit Picture", 1, 0},
        {"Video", 2, 0},
        {"Music", 3, 0},
        // Substrings of the whole line, in the table's order, not the line's.
        {"Picture TV", 0, 2202},
        {"PictureTV", 0, 2202},
        {"Music Video", 2, 0},
        {"\"D:\\My Pictures\" Music", 1, 0},
        {"MyPictureShow", 1, 0},
        // Case matters.
        {"tv picture VIDEO music", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        int page = -1;
        int request = -1;
        CVelmoraApp::ReadCommandWords(c.arguments, &page, &request);
        EXPECT_EQ(c.page, page);
        EXPECT_EQ(c.request, request);
    }
}
