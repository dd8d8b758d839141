// CHandleMap: which framework object stands for a Windows handle, for one thread.
//
// Permanent entries belong to objects that took the handle with Attach (or made it) and leave
// with Detach or the object's end. FromHandle gives a handle no object holds a temporary object
// of the map's class; temporary objects are deleted, without touching their handles, when the
// thread's message loop goes idle (AfxDeleteTempMaps), so a caller must not keep one past its
// message. A thread's maps are made at its first use of each and deleted, with their temporary
// objects, when the thread ends.
#pragma once

#include "afxdefs.h"

#include <map>

// The part every map shares: the thread's list of maps, for ForThread and AfxDeleteTempMaps.
class CHandleMapBase {
public:
    virtual ~CHandleMapBase() {}
    virtual void DeleteTemp() = 0;

protected:
    CHandleMapBase() {}
    CHandleMapBase(const CHandleMapBase&) = delete;
    CHandleMapBase& operator=(const CHandleMapBase&) = delete;

    // This thread's map of the kind pKind names, or NULL. AddThreadMap enters pMap, which the
    // thread's end deletes, and returns it.
    static CHandleMapBase* PASCAL LookupThreadMap(const void* pKind);
    static CHandleMapBase* PASCAL AddThreadMap(const void* pKind, CHandleMapBase* pMap);
};

// Deletes the temporary objects of every handle map of this thread (windows, menus, device
// contexts, GDI objects, image lists). The framework's loops call it when they go idle.
void AFXAPI AfxDeleteTempMaps();

// TYPE is the framework class, HANDLE_TYPE its handle. pfnSetHandle gives a new temporary
// object its handle, or takes it away (NULL) before the object is deleted.
template <class TYPE, class HANDLE_TYPE>
class CHandleMap : public CHandleMapBase {
public:
    typedef void (*SetHandleFunction)(TYPE* pObject, HANDLE_TYPE h);

    explicit CHandleMap(SetHandleFunction pfnSetHandle) : m_pfnSetHandle(pfnSetHandle) {}
    ~CHandleMap() override { DeleteTemp(); }

    // The calling thread's map of TYPE, made at its first use with pfnSetHandle.
    static CHandleMap& ForThread(SetHandleFunction pfnSetHandle)
    {
        CHandleMapBase* pMap = LookupThreadMap(&s_kind);
        if (pMap == NULL)
            pMap = AddThreadMap(&s_kind, new CHandleMap(pfnSetHandle));
        return static_cast<CHandleMap&>(*pMap);
    }

    // The permanent object, else the temporary one, made when there is none; NULL for NULL.
    TYPE* FromHandle(HANDLE_TYPE h)
    {
        if (h == NULL)
            return NULL;
        TYPE* pObject = LookupPermanent(h);
        if (pObject != NULL)
            return pObject;
        pObject = Lookup(m_temporary, h);
        if (pObject != NULL)
            return pObject;
        pObject = new TYPE;
        m_pfnSetHandle(pObject, h);
        m_temporary[h] = pObject;
        return pObject;
    }
    TYPE* LookupPermanent(HANDLE_TYPE h) const { return Lookup(m_permanent, h); }
    TYPE* LookupTemporary(HANDLE_TYPE h) const { return Lookup(m_temporary, h); }

    void SetPermanent(HANDLE_TYPE h, TYPE* pObject) { m_permanent[h] = pObject; }
    // Forgets the permanent entry of h when it is pObject's (a temporary object that happens
    // to hold the handle is not its owner).
    void RemoveHandle(HANDLE_TYPE h, TYPE* pObject)
    {
        typename Map::iterator it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == pObject)
            m_permanent.erase(it);
    }

    void DeleteTemp() override
    {
        Map temporary;
        temporary.swap(m_temporary);
        for (typename Map::iterator it = temporary.begin(); it != temporary.end(); ++it) {
            m_pfnSetHandle(it->second, NULL);
            delete it->second;
        }
    }

private:
    typedef std::map<HANDLE_TYPE, TYPE*> Map;

    static TYPE* Lookup(const Map& map, HANDLE_TYPE h)
    {
        typename Map::const_iterator it = map.find(h);
        return it != map.end() ? it->second : NULL;
    }

    static char s_kind;  // its address names this map's kind in the thread's list

    SetHandleFunction m_pfnSetHandle;
    Map m_permanent;
    Map m_temporary;
};

template <class TYPE, class HANDLE_TYPE>
char CHandleMap<TYPE, HANDLE_TYPE>::s_kind;
