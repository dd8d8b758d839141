#include "CRgn.h"

#include "CDC.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

BOOL CRgn::CreateFromPath(CDC* pDC)
{
    return AttachNew(::PathToRegion(pDC->m_hDC));
}
