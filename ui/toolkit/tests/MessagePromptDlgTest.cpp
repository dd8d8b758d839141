#include <gtest/gtest.h>

#include "DialogWatcher.h"
#include "FinishesWithin.h"
#include "MessagePromptDlg.h"
#include "ToolkitResources.h"
#include "ToolkitTestResources.h"

namespace {

// Every modal run is bounded: a dialog that never closes fails the test instead of hanging it.
INT_PTR RunModal(CDialog& dialog)
{
    INT_PTR result = -2;
    FinishesWithin(20000, [&] { result = dialog.DoModal(); });
    return result;
}

TEST(MessagePromptDlg, ClosesItselfWhenItsSecondsAreUp)
{
    struct Case { BOOL showCancel; int autoCloseResult; INT_PTR ended; };
    const Case cases[] = {
        {FALSE, IDOK, IDOK},
        {TRUE, IDOK, IDOK},
        {TRUE, IDCANCEL, IDCANCEL},
        // Without a Cancel button the dialog cannot end as Cancel.
        {FALSE, IDCANCEL, IDOK},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        CMessagePromptDlg prompt(0, cases[i].showCancel);
        prompt.SetAutoCloseSeconds(1);
        prompt.SetAutoCloseResult(cases[i].autoCloseResult);
        EXPECT_EQ(cases[i].ended, RunModal(prompt)) << "case " << i;
    }
}

TEST(MessagePromptDlg, EscapeEndsAsCancelOnlyWhenCancelIsShown)
{
    DialogWatcher watcher;
    watcher.PressId(IDCANCEL);

    CMessagePromptDlg withoutCancel(0, FALSE);
    EXPECT_EQ(IDOK, RunModal(withoutCancel));
    CMessagePromptDlg withCancel(0, TRUE);
    EXPECT_EQ(IDCANCEL, RunModal(withCancel));
    EXPECT_EQ(2u, watcher.Dialogs().size());
}

// Reads what the open dialog shows, then closes it.
class ShownPrompt : public CMessagePromptDlg
{
public:
    using CMessagePromptDlg::CMessagePromptDlg;

    BOOL OnInitDialog() override
    {
        CMessagePromptDlg::OnInitDialog();
        caption = WindowText(m_hWnd);
        text = WindowText(::GetDlgItem(m_hWnd, IDC_PROMPT_TEXT));
        cancelVisible = (GetWindowLongA(::GetDlgItem(m_hWnd, IDCANCEL), GWL_STYLE) & WS_VISIBLE) != 0;
        SetText("改过的文字");
        textAfterSet = WindowText(::GetDlgItem(m_hWnd, IDC_PROMPT_TEXT));
        EndDialog(IDOK);
        return TRUE;
    }

    static std::string WindowText(HWND window)
    {
        char text[256] = "";
        ::GetWindowTextA(window, text, sizeof(text));
        return text;
    }

    std::string caption, text, textAfterSet;
    bool cancelVisible = true;
};

TEST(MessagePromptDlg, ShowsItsCaptionAndStringTableTextAndHidesCancel)
{
    ShownPrompt prompt(0, FALSE);
    prompt.SetCaption("录像");
    prompt.SetText(IDS_TEST_PROMPT);
    EXPECT_EQ(CString("停止录像失败。程序将退出!"), prompt.GetText());

    EXPECT_EQ(IDOK, RunModal(prompt));
    EXPECT_EQ("录像", prompt.caption);
    EXPECT_EQ("停止录像失败。程序将退出!", prompt.text);
    EXPECT_FALSE(prompt.cancelVisible);
    EXPECT_EQ("改过的文字", prompt.textAfterSet);
}

TEST(MessagePromptDlg, ZeroSecondsLeaveTheTimeAsItWas)
{
    CMessagePromptDlg prompt(0, FALSE);
    EXPECT_EQ(5u, prompt.GetAutoCloseSeconds());
    prompt.SetAutoCloseSeconds(3);
    prompt.SetAutoCloseSeconds(0);
    EXPECT_EQ(3u, prompt.GetAutoCloseSeconds());
}

} // namespace
