#include "CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() = default;

CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, NULL, NULL}};
    static const AFX_MSGMAP messageMap = {NULL, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnDispatch != NULL;
             ++pEntry) {
            if (pEntry->nMessage == nMessage && pEntry->nCode == nCode && nID >= pEntry->nID &&
                nID <= pEntry->nLastID)
                return pEntry;
        }
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMessage = WM_COMMAND;
    UINT nEntryCode = (UINT)nCode;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI && HIWORD(nCode) == WM_NOTIFY) {
        nMessage = WM_NOTIFY;
        nEntryCode = (UINT)(int)(short)LOWORD(nCode);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(nMessage, nEntryCode, nID);
    if (pEntry == NULL)
        return FALSE;
    if (pHandlerInfo != NULL) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = pEntry->pfn;
        return TRUE;
    }
    if (nMessage == WM_NOTIFY) {
        AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
        return (BOOL)pEntry->pfnDispatch(this, pEntry->pfn, nID, (WPARAM)pNotify->pResult,
                                         (LPARAM)pNotify->pNMHDR);
    }
    // An update handler's CCmdUI, else nothing.
    LPARAM lParam = (UINT)nCode == CN_UPDATE_COMMAND_UI ? (LPARAM)pExtra : 0;
    return (BOOL)pEntry->pfnDispatch(this, pEntry->pfn, nID, 0, lParam);
}
