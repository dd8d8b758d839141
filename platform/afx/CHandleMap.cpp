#include "CHandleMap.h"

#include <algorithm>
#include <vector>

namespace {

// This thread's maps, each a thread_local of its class's source file.
std::vector<CHandleMapBase*>& ThreadMaps()
{
    static thread_local std::vector<CHandleMapBase*> maps;
    return maps;
}

} // namespace

CHandleMapBase::CHandleMapBase()
{
    ThreadMaps().push_back(this);
}

CHandleMapBase::~CHandleMapBase()
{
    std::vector<CHandleMapBase*>& maps = ThreadMaps();
    maps.erase(std::remove(maps.begin(), maps.end(), this), maps.end());
}

void AFXAPI AfxDeleteTempMaps()
{
    // A temporary object's destructor may make another map: walk a copy.
    std::vector<CHandleMapBase*> maps = ThreadMaps();
    for (size_t i = 0; i < maps.size(); ++i)
        maps[i]->DeleteTemp();
}
