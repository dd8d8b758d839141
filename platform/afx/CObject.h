// CObject: the root of the framework's classes: run-time type information and no copying.
#pragma once

#include "CRuntimeClass.h"

class CArchive;

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;

    static CRuntimeClass classCObject;

protected:
    CObject();

private:
    CObject(const CObject& objectSrc) = delete;
    void operator=(const CObject& objectSrc) = delete;
};

// pObject as a class_name*, or NULL when pObject is NULL or not of that class.
CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
