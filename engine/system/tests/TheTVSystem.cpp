#include "FakeTVSystemView.h"
#include "TVSystem.h"
#include "XvidSettings.h"

namespace {

CFakeTVSystemView theView;

} // namespace

CTVSystem theTVSystem;
CXvidSettings theXvidSettings;

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
