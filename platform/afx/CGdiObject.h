// CGdiObject: the base of the GDI object classes, wrapping one HGDIOBJ.
//
// An object that made or attached its handle owns it: FromHandle finds the object, and the
// destructor deletes the handle. Any other handle gets a temporary CGdiObject (CHandleMap.h),
// which the subclasses' FromHandle hand out as their own type; it never deletes its handle.
#pragma once

#include "CObject.h"

class CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject();
    ~CGdiObject() override;

    HGDIOBJ m_hObject;

    // m_hObject, or NULL through a NULL pointer (CGdiObject.cpp keeps the test of this).
    HGDIOBJ GetSafeHandle() const;
    operator HGDIOBJ() const { return m_hObject; }

    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
    static CGdiObject* PASCAL FromHandlePermanent(HGDIOBJ hObject);
    static void PASCAL DeleteTempMap();

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Deletes the handle the object holds; FALSE without one.
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();

    BOOL operator==(const CGdiObject& obj) const { return m_hObject == obj.m_hObject; }
    BOOL operator!=(const CGdiObject& obj) const { return m_hObject != obj.m_hObject; }

protected:
    // Takes a handle just made for this object; an object that holds one already refuses it
    // and deletes it, so that it is not lost.
    BOOL AttachNew(HGDIOBJ hObject);
};
