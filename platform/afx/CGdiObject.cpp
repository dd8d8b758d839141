#include "CGdiObject.h"

#include "CHandleMap.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {

void SetObjectHandle(CGdiObject* pObject, HGDIOBJ hObject)
{
    pObject->m_hObject = hObject;
}

CHandleMap<CGdiObject, HGDIOBJ>& GdiObjectMap()
{
    return CHandleMap<CGdiObject, HGDIOBJ>::ForThread(SetObjectHandle);
}

} // namespace

CGdiObject::CGdiObject() : m_hObject(NULL)
{
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

HGDIOBJ CGdiObject::GetSafeHandle() const
{
    const void* self = this;
    return self == NULL ? NULL : m_hObject;
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return GdiObjectMap().FromHandle(hObject);
}

CGdiObject* PASCAL CGdiObject::FromHandlePermanent(HGDIOBJ hObject)
{
    return hObject != NULL ? GdiObjectMap().LookupPermanent(hObject) : NULL;
}

void PASCAL CGdiObject::DeleteTempMap()
{
    GdiObjectMap().DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (m_hObject != NULL || hObject == NULL)
        return FALSE;
    m_hObject = hObject;
    GdiObjectMap().SetPermanent(hObject, this);
    return TRUE;
}

BOOL CGdiObject::AttachNew(HGDIOBJ hObject)
{
    if (Attach(hObject))
        return TRUE;
    if (hObject != NULL)
        ::DeleteObject(hObject);
    return FALSE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL)
        GdiObjectMap().RemoveHandle(hObject, this);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return ::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return AttachNew(::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject()
{
    return ::UnrealizeObject(m_hObject);
}
