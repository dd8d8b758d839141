#include "CAudioCodecPage.h"

#include "GraphBuilder.h"
#include "IniFile.h"
#include "TVSystem.h"
#include "resource.h"

namespace {

const char kSection[] = "FM_CUSTOM";
const char kSum[] = "SUM";
const char kSelected[] = "SELECTED";
// One stored video vendor's decoders come with audio compressors that cannot record FM.
const char kLeftOut[] = "InterVideo";
const int kMaxNameLength = 20;

CString Key(const char* name, int index)
{
    CString key;
    key.Format("%s%d", name, index);
    return key;
}

} // namespace

BEGIN_MESSAGE_MAP(CAudioCodecPage, CSetupPage)
    ON_CBN_SELENDCANCEL(IDC_FORMAT_NAMES, OnNamesSelEndCancel)
    ON_BN_CLICKED(IDC_FORMAT_ADD, OnAdd)
    ON_BN_CLICKED(IDC_FORMAT_MODIFY, OnModify)
    ON_BN_CLICKED(IDC_FORMAT_DELETE, OnDelete)
END_MESSAGE_MAP()

CAudioCodecPage::CAudioCodecPage(CWnd* pParent) : CSetupPage(IDD_AUDIO_CODEC_PAGE, pParent)
{
    m_bExchangeOnDestroy = FALSE;
}

void CAudioCodecPage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FORMAT_NAMES, m_names);
    DDX_Control(pDX, IDC_FORMAT_COMPRESSOR, m_compressors);
    DDX_Text(pDX, IDC_FORMAT_NAME, m_name);
    DDV_MaxChars(pDX, m_name, kMaxNameLength);
}

BOOL CAudioCodecPage::OnInitDialog()
{
    CSetupPage::OnInitDialog();
    ((CEdit*)GetDlgItem(IDC_FORMAT_NAME))->SetLimitText(kMaxNameLength);

    CIniFile* ini = theTVSystem.GetParamFile();
    if (ini != NULL)
        ini->GetSection(kSection);

    int count = 0;
    const CGraphBuilder::DeviceName* names =
        theTVSystem.GetGraph().GetBuilder().EnumDeviceNames(CGraphBuilder::kAudioCompressor, &count);
    for (int i = 0; names != NULL && i < count; i++) {
        if (strncmp(names[i], kLeftOut, strlen(kLeftOut)) != 0)
            m_compressors.AddString(names[i]);
    }

    if (ini == NULL)
        return TRUE;
    int sum = 0, selected = 0;
    ini->GetInt(kSection, kSum, sum);
    ini->GetInt(kSection, kSelected, selected);
    for (int i = 1; i <= sum; i++) {
        CString name, compressor;
        if (!ini->GetValue(kSection, Key("FM_NAME", i), name) || name.IsEmpty())
            break;
        ini->GetValue(kSection, Key("FM_FIELTER", i), compressor);
        int row = m_names.AddString(name);
        int bound = compressor.IsEmpty() ? CB_ERR : m_compressors.FindStringExact(-1, compressor);
        // FindStringExact ignores case; the binding wants the exact name.
        if (bound != CB_ERR) {
            CString text;
            m_compressors.GetLBText(bound, text);
            if (text != compressor)
                bound = CB_ERR;
        }
        m_names.SetItemData(row, bound == CB_ERR ? 0 : bound + 1);
    }
    if (selected >= 1 && selected <= sum && selected <= m_names.GetCount()) {
        m_names.SetCurSel(selected - 1);
        ShowSelected();
    }
    return TRUE;
}

int CAudioCodecPage::FindName(const CString& name, int skip) const
{
    for (int i = 0; i < m_names.GetCount(); i++) {
        CString text;
        m_names.GetLBText(i, text);
        if (i != skip && text == name)
            return i;
    }
    return -1;
}

void CAudioCodecPage::ShowSelected()
{
    int row = m_names.GetCurSel();
    if (row < 0)
        return;
    m_names.GetLBText(row, m_name);
    m_compressors.SetCurSel((int)m_names.GetItemData(row) - 1);
    UpdateData(FALSE);
}

void CAudioCodecPage::OnNamesSelEndCancel()
{
    ShowSelected();
}

BOOL CAudioCodecPage::NameRefused(int skip)
{
    if (FindName(m_name, skip) < 0)
        return FALSE;
    CString text, caption;
    text.LoadString(IDS_NAME_EXISTS);
    caption.LoadString(IDS_NAME_EXISTS_CAPTION);
    MessageBox(text, caption, MB_ICONERROR);
    return TRUE;
}

void CAudioCodecPage::OnAdd()
{
    if (!UpdateData(TRUE) || m_name.IsEmpty() || NameRefused(-1))
        return;
    int row = m_names.AddString(m_name);
    m_names.SetItemData(row, m_compressors.GetCurSel() + 1);
    m_names.SetCurSel(row);
}

void CAudioCodecPage::OnModify()
{
    int row = m_names.GetCurSel();
    if (!UpdateData(TRUE) || m_name.IsEmpty() || row < 0 || NameRefused(row))
        return;
    m_names.DeleteString(row);
    m_names.InsertString(row, m_name);
    m_names.SetItemData(row, m_compressors.GetCurSel() + 1);
    m_names.SetCurSel(row);
}

void CAudioCodecPage::OnDelete()
{
    int row = m_names.GetCurSel();
    if (row < 0)
        return;
    m_names.DeleteString(row);
    int count = m_names.GetCount();
    if (count == 0)
        return;
    m_names.SetCurSel(row < count ? row : count - 1);
    ShowSelected();
}

BOOL CAudioCodecPage::SaveFormats()
{
    CIniFile* ini = theTVSystem.GetParamFile();
    if (ini == NULL)
        return FALSE;
    ini->SetInt(kSection, kSum, 0);
    ini->SetInt(kSection, kSelected, 0);
    int selected = m_names.GetCurSel();
    int compressor = m_compressors.GetCurSel();
    if (selected >= 0 && compressor >= 0)
        m_names.SetItemData(selected, compressor + 1);

    // SELECTED is the chosen format's place among those written: a format dropped for its
    // lost compressor must not hand the choice to the one after it.
    int written = 0, selectedWritten = 0;
    for (int i = 0; i < m_names.GetCount(); i++) {
        int bound = (int)m_names.GetItemData(i);
        if (bound < 1 || bound > m_compressors.GetCount())
            continue;
        CString name, filter;
        m_names.GetLBText(i, name);
        m_compressors.GetLBText(bound - 1, filter);
        if (filter.IsEmpty())
            continue;
        written++;
        ini->SetValue(kSection, Key("FM_NAME", written), name);
        ini->SetValue(kSection, Key("FM_FIELTER", written), filter);
        if (i == selected)
            selectedWritten = written;
    }
    ini->SetInt(kSection, kSum, written);
    ini->SetInt(kSection, kSelected, selectedWritten);
    return written > 0 && selectedWritten > 0;
}
