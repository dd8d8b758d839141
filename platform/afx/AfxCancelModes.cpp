#include "AfxCancelModes.h"

namespace {

// A combo box with that drop-down style (the low four bits of its style).
BOOL IsComboBoxControl(HWND hWnd, UINT nStyle)
{
    if (hWnd == NULL || (UINT)(::GetWindowLongA(hWnd, GWL_STYLE) & 0x0F) != nStyle)
        return FALSE;
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, "combobox") == 0;
}

} // namespace

void AFXAPI AfxCancelModes(HWND hWndRcvr)
{
    HWND hWndCancel = ::GetFocus();
    if (hWndCancel == NULL || hWndCancel == hWndRcvr)
        return;
    // The focus may be the edit control inside the combo box.
    if (!IsComboBoxControl(hWndCancel, CBS_DROPDOWN)) {
        hWndCancel = ::GetParent(hWndCancel);
        if (hWndCancel == NULL || hWndCancel == hWndRcvr || !IsComboBoxControl(hWndCancel, CBS_DROPDOWN))
            return;
    }
    ::SendMessageA(hWndCancel, CB_SHOWDROPDOWN, FALSE, 0);
}
