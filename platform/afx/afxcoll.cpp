// Run-time class records of the collection classes.
#include "afxcoll.h"

#include "CArchive.h"

IMPLEMENT_DYNCREATE(CStringArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_DYNCREATE(CDWordArray, CObject)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNCREATE(CByteArray, CObject)
IMPLEMENT_DYNCREATE(CStringList, CObject)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_DYNCREATE(CMapStringToString, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)

void CStringArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD)GetSize());
        for (int i = 0; i < GetSize(); i++)
            ar << GetAt(i);
        return;
    }
    // Every string takes at least its one-byte length.
    DWORD count = ar.ReadCount(1);
    RemoveAll();
    SetSize((int)count);
    for (int i = 0; i < GetSize(); i++)
        ar >> ElementAt(i);
}
