#include "CNewMenuItemData.h"

#include "CNewMenuIcons.h"

IMPLEMENT_DYNCREATE(CNewMenuItemData, CObject)

CNewMenuItemData::CNewMenuItemData()
    : m_nTitleFlags(0), m_nFlags(0), m_nID(0), m_nSyncFlag(FALSE), m_dwItemValue(0),
      m_pMenuIcon(NULL), m_nMenuIconOffset(-1)
{
}

CNewMenuItemData::~CNewMenuItemData()
{
    SetIcon(NULL, -1);
}

void CNewMenuItemData::SetIcon(CNewMenuIcons* pIcons, int nIndex)
{
    // The new reference first: the store may be the one held now, with this its last holder.
    if (pIcons != NULL)
        pIcons->AddRef();
    if (m_pMenuIcon != NULL)
        m_pMenuIcon->Release();
    m_pMenuIcon = pIcons;
    m_nMenuIconOffset = pIcons != NULL ? nIndex : -1;
}
