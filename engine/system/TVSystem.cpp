#include "TVSystem.h"

#include "IniFile.h"
#include "PathUtil.h"

namespace {

const char kBaseSkinName[] = "BaseSkin";

CString ModuleDir()
{
    CString dir;
    CPathUtil::GetModuleDir(dir);
    return dir;
}

// The view of a program without windows: it shows nothing and enables no control.
class CNoView : public ITVSystemView
{
public:
    virtual void MuteBriefly() {}
    virtual void ShowChannelInfo(CChannelEntry*) {}
    virtual void ShowFavoriteButton(BOOL) {}
    virtual BOOL IsItemEnabled(UINT) { return FALSE; }
    virtual void EnableAccelerators(BOOL) {}
    virtual void BeginScan() {}
    virtual void ShowOptionsMenu(BOOL) {}
    virtual BOOL EnsureRemoteServiceRunning() { return FALSE; }
};

ITVSystemView* g_view = NULL;

} // namespace

void CTVSystem::SetView(ITVSystemView* view)
{
    g_view = view;
}

ITVSystemView& CTVSystem::View()
{
    static CNoView none;
    return g_view ? *g_view : none;
}

void CTVSystem::EnableAccelerators(BOOL enable)
{
    View().EnableAccelerators(enable);
}

BOOL CTVSystem::EnsureRemoteServiceRunning()
{
    return View().EnsureRemoteServiceRunning();
}

CTVSystem::CTVSystem()
    : m_programDir(ModuleDir()), m_baseSkinName(kBaseSkinName)
{
    m_graph.SetHost(this);
    SetDefaults();
}

CTVSystem::CTVSystem(const char* programDir)
    : m_programDir(programDir), m_baseSkinName(kBaseSkinName)
{
    m_graph.SetHost(this);
    SetDefaults();
}

CTVSystem::~CTVSystem()
{
}

CString CTVSystem::ProgramFile(const char* name) const
{
    return m_programDir + "\\" + name;
}

