#include "CSkin.h"

#include "CSkinReader.h"
#include "CSkinWnd.h"

CSkin::CSkin() : m_reader(NULL), m_dialogSkin(NULL)
{
}

CSkin::~CSkin()
{
    Detach();
    Free();
}

BOOL CSkin::Load(LPCTSTR path)
{
    if (!m_controls.empty() || m_dialogSkin) {
        Detach();
        Free();
    }
    delete m_reader;
    m_reader = new CSkinReader(this, path);
    return m_reader->Load();
}

void CSkin::Attach(CWnd* dialog)
{
    for (size_t index = 0; index < m_controls.size(); ++index)
        m_controls[index]->SubclassDlgItem(m_ids[index], dialog);
    if (m_dialogSkin)
        m_dialogSkin->Attach(dialog->GetSafeHwnd());
}

void CSkin::Detach()
{
    for (CWnd* control : m_controls) {
        if (control->m_hWnd != NULL && ::IsWindow(control->m_hWnd))
            control->UnsubclassWindow();
    }
    if (m_dialogSkin)
        m_dialogSkin->Detach();
}

void CSkin::Free()
{
    delete m_reader;
    m_reader = NULL;
    delete m_dialogSkin;
    m_dialogSkin = NULL;
    for (CWnd* control : m_controls)
        delete control;
    m_controls.clear();
    m_ids.clear();
    for (HCURSOR cursor : m_cursors)
        DestroyCursor(cursor);
    m_cursors.clear();
}

void CSkin::AddControl(CWnd* control, UINT id)
{
    m_controls.push_back(control);
    m_ids.push_back(id);
}

void CSkin::SetDialogSkin(CSkinWnd* dialogSkin)
{
    if (dialogSkin == m_dialogSkin)
        return;
    delete m_dialogSkin;
    m_dialogSkin = dialogSkin;
}

void CSkin::KeepCursor(HCURSOR cursor)
{
    m_cursors.push_back(cursor);
}
