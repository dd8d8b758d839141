#include "CPalette.h"

#include "CDC.h"

IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return AttachNew(::CreateHalftonePalette(pDC->GetSafeHdc()));
}
