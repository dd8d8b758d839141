#pragma once

#include <afxwin.h>

#include <vector>

class CSkinReader;
class CSkinWnd;

// One loaded skin: the skinned control objects its element file makes, in file order with
// their control ids, and the dialog's own background and shape. The skin owns every object
// until Free; Attach puts the controls over a dialog's controls of the same ids.
class CSkin
{
public:
    CSkin();
    // Gives back what is attached and frees what is held: a skin deleted in use leaks nothing.
    virtual ~CSkin();

    // Detaches and frees what the skin holds, then reads the element file; FALSE when the
    // file cannot be read (a file whose elements are all bad still answers TRUE).
    BOOL Load(LPCTSTR path);
    // A control whose id the dialog lacks stays without a window; the others attach.
    void Attach(CWnd* dialog);
    // Every control whose window is still there goes back to the dialog, unskinned.
    void Detach();
    void Free();

    void AddControl(CWnd* control, UINT id);
    // The later of two dialog skins wins; the earlier one is deleted.
    void SetDialogSkin(CSkinWnd* dialogSkin);
    // A cursor the skin's controls show: the skin destroys it in Free.
    void KeepCursor(HCURSOR cursor);

    int GetControlCount() const { return (int)m_controls.size(); }
    CWnd* GetControl(int index) const { return m_controls[index]; }
    UINT GetControlId(int index) const { return m_ids[index]; }
    CSkinWnd* GetDialogSkin() const { return m_dialogSkin; }

private:
    CSkin(const CSkin&);
    CSkin& operator=(const CSkin&);

    std::vector<CWnd*> m_controls;
    std::vector<UINT> m_ids;  // beside m_controls, one for one
    CSkinReader* m_reader;
    CSkinWnd* m_dialogSkin;
    std::vector<HCURSOR> m_cursors;
};
