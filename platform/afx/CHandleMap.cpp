#include "CHandleMap.h"

#include <pthread.h>

#include <utility>
#include <vector>

namespace {

// One thread's maps with the kinds they are of, in the order they were made.
typedef std::vector<std::pair<const void*, CHandleMapBase*> > ThreadMaps;

// At the thread's end. A temporary object's destructor that reaches for a map again finds none
// and makes a new list, which the key's next round deletes.
void DeleteThreadMaps(void* pMaps)
{
    ThreadMaps* maps = static_cast<ThreadMaps*>(pMaps);
    for (ThreadMaps::reverse_iterator it = maps->rbegin(); it != maps->rend(); ++it)
        delete it->second;
    delete maps;
}

// The maps hang on a thread-specific key rather than in thread_local variables: mingw emulates
// thread_local storage and frees a thread's variables before it runs their destructors at the
// thread's end, so a map kept there was destroyed in freed memory and corrupted the heap.
pthread_key_t ThreadMapsKey()
{
    static const pthread_key_t key = [] {
        pthread_key_t made;
        pthread_key_create(&made, DeleteThreadMaps);
        return made;
    }();
    return key;
}

ThreadMaps& CurrentThreadMaps()
{
    ThreadMaps* maps = static_cast<ThreadMaps*>(pthread_getspecific(ThreadMapsKey()));
    if (maps == NULL) {
        maps = new ThreadMaps;
        pthread_setspecific(ThreadMapsKey(), maps);
    }
    return *maps;
}

} // namespace

CHandleMapBase* PASCAL CHandleMapBase::LookupThreadMap(const void* pKind)
{
    const ThreadMaps& maps = CurrentThreadMaps();
    for (size_t i = 0; i < maps.size(); ++i)
        if (maps[i].first == pKind)
            return maps[i].second;
    return NULL;
}

CHandleMapBase* PASCAL CHandleMapBase::AddThreadMap(const void* pKind, CHandleMapBase* pMap)
{
    CurrentThreadMaps().push_back(std::make_pair(pKind, pMap));
    return pMap;
}

void AFXAPI AfxDeleteTempMaps()
{
    // A temporary object's destructor may make another map: walk a copy.
    ThreadMaps maps = CurrentThreadMaps();
    for (size_t i = 0; i < maps.size(); ++i)
        maps[i].second->DeleteTemp();
}
