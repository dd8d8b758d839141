#include "CRgn.h"

#include "CDC.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

BOOL CRgn::CreateFromPath(CDC* pDC)
{
    return Attach(::PathToRegion(pDC->m_hDC));
}
