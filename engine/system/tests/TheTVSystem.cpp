#include "FakeTVSystemView.h"
#include "TVSystem.h"

namespace {

CFakeTVSystemView theView;

} // namespace

CTVSystem theTVSystem;

namespace {

// The tests' graphs that no TV system owns ask the global one, as the program's graph would.
struct ViewAndHost
{
    ViewAndHost()
    {
        CTVSystem::SetView(&theView);
        CTVGraph::SetDefaultHost(&theTVSystem);
    }
} theViewAndHost;

} // namespace
