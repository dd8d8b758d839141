// CRuntimeClass: the run-time type record of a CObject class, and the DECLARE_/IMPLEMENT_
// macros that give a class one.
#pragma once

#include "afxdefs.h"

class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF for classes that are not serializable
    CObject* (PASCAL* m_pfnCreateObject)();  // NULL unless the class is DYNCREATE
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;  // registration list for serialization; unused until CArchive

    // A new object of the class, or NULL when the class cannot be created dynamically or its
    // construction threw a framework exception.
    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

// The records are constant-initialized (no constructor runs), so RUNTIME_CLASS of a base class
// is usable from any static initializer, whatever the order of the translation units.
#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), wSchema, pfnNew, \
        RUNTIME_CLASS(base_class_name), NULL}; \
    CRuntimeClass* class_name::GetRuntimeClass() const \
    { \
        return RUNTIME_CLASS(class_name); \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() \
    { \
        return new class_name; \
    } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)
