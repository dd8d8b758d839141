#pragma once

#include <afxcmn.h>

// A tooltip that registers its parent dialog's controls, or rectangles of its owner, with a
// text or a string-table text.
class CHoverToolTip : public CToolTipCtrl
{
public:
    // The dialog control as a tool of its own window handle, subclassed by the tooltip.
    BOOL AddTool(UINT controlId, LPCTSTR text);
    BOOL AddTool(UINT controlId, UINT stringId);
    // A rectangle of the owner window as the tool of that id.
    BOOL AddToolRect(UINT toolId, const RECT& rect, LPCTSTR text);
    BOOL AddToolRect(UINT toolId, const RECT& rect, UINT stringId);

private:
    // The owner window, else the parent.
    HWND ToolOwner() const;
};
