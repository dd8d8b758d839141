#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CAutoShutdownDlg.h"
#include "FinishesWithin.h"
#include "HelperProcess.h"
#include "UserInput.h"
#include "WindowQuery.h"
#include "resource.h"

namespace {

const char kCaption[] = "关闭计算机";
const UINT_PTR kCountdownTimerId = 1;

// Every modal run is bounded: a dialog that never closes fails the test instead of hanging it.
INT_PTR RunModal(CDialog& dialog)
{
    INT_PTR result = -2;
    FinishesWithin(60000, [&] { result = dialog.DoModal(); });
    return result;
}

// Gives the countdown its ticks itself, without its timer, and keeps what the seconds and the
// dots showed when it opened and after each tick. Ends with IDCANCEL when the countdown is
// still open after them.
class TickedDialog : public CAutoShutdownDlg
{
public:
    explicit TickedDialog(int ticks) : m_ticks(ticks) {}

    BOOL OnInitDialog() override
    {
        CAutoShutdownDlg::OnInitDialog();
        KillTimer(kCountdownTimerId);
        Keep();
        for (int i = 0; i < m_ticks && ContinueModal(); ++i) {
            SendMessage(WM_TIMER, kCountdownTimerId);
            if (ContinueModal())
                Keep();
        }
        if (ContinueModal())
            EndDialog(IDCANCEL);
        return TRUE;
    }

    std::vector<std::string> seconds;
    std::vector<std::string> dots;

private:
    void Keep()
    {
        seconds.push_back(ControlText(m_hWnd, IDC_SHUTDOWN_SECONDS));
        dots.push_back(ControlText(m_hWnd, IDC_SHUTDOWN_DOTS));
    }

    int m_ticks;
};

TEST(CAutoShutdownDlg, ShowsTheSecondsLeftFromItsStartOnEachTick)
{
    TickedDialog byDefault(0);
    EXPECT_EQ(IDCANCEL, RunModal(byDefault));
    EXPECT_EQ(std::vector<std::string>{"30"}, byDefault.seconds);
    EXPECT_EQ(std::vector<std::string>{"......"}, byDefault.dots);

    TickedDialog fromTen(3);
    fromTen.SetCountdownSeconds(10);
    EXPECT_EQ(IDCANCEL, RunModal(fromTen));
    EXPECT_EQ((std::vector<std::string>{"10", "9", "8", "7"}), fromTen.seconds);
}

TEST(CAutoShutdownDlg, EndsWithOkOnTheTickThatLeavesNoSecond)
{
    TickedDialog dialog(5);
    dialog.SetCountdownSeconds(2);
    EXPECT_EQ(IDOK, RunModal(dialog));
    EXPECT_EQ((std::vector<std::string>{"2", "1"}), dialog.seconds);
}

TEST(CAutoShutdownDlg, EndsWithOkWhenItsOwnTimerRunsOut)
{
    CAutoShutdownDlg dialog;
    dialog.SetCountdownSeconds(2);
    EXPECT_EQ(IDOK, RunModal(dialog));
}

// Two countdowns of a program run that has shown none before, ticked 3 and 4 times; exits
// with the number of dots after each tick, as decimal digits.
SUITE_HELPER(DotsOfAFreshRun)
{
    int digits = 0;
    for (int ticks : {3, 4}) {
        TickedDialog dialog(ticks);
        dialog.DoModal();
        for (size_t i = 1; i < dialog.dots.size(); ++i)
            digits = digits * 10 + (int)dialog.dots[i].size();
    }
    return digits;
}

TEST(CAutoShutdownDlg, DotsSwingBetweenThreeAndSixAndCarryOverToTheNextCountdown)
{
    EXPECT_EQ(5434565, HelperProcess::Run("DotsOfAFreshRun"));
}

void ClickButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    RECT client;
    GetClientRect(button, &client);
    UserInput::Click(button, POINT{client.right / 2, client.bottom / 2});
}

// The dialog runs here while another thread waits for it on the screen and acts as the user.
INT_PTR RunWhileUserActs(CAutoShutdownDlg& dialog, const std::function<void(HWND)>& act)
{
    std::thread user([&] {
        HWND window = FindTopWindow(kCaption, GetCurrentProcessId(), 10000);
        if (window == NULL || !WaitUntilVisible(window, 10000))
            return;
        UserInput::BringToFront(window);
        act(window);
    });
    INT_PTR result = RunModal(dialog);
    user.join();
    return result;
}

TEST(CAutoShutdownDlg, ShutdownNowGivesOkAndEveryWayToCancelGivesCancel)
{
    struct Case { const char* action; std::function<void(HWND)> act; INT_PTR ended; };
    const Case cases[] = {
        {"click 1112", [](HWND dialog) { ClickButton(dialog, IDC_SHUTDOWN_NOW); }, IDOK},
        {"Alt+O", [](HWND) { UserInput::Key('O', VK_MENU); }, IDOK},
        {"click 1113", [](HWND dialog) { ClickButton(dialog, IDC_SHUTDOWN_CANCEL); }, IDCANCEL},
        {"Alt+X", [](HWND) { UserInput::Key('X', VK_MENU); }, IDCANCEL},
        {"Escape", [](HWND) { UserInput::Key(VK_ESCAPE); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        CAutoShutdownDlg dialog;
        EXPECT_EQ(c.ended, RunWhileUserActs(dialog, c.act)) << c.action;
    }
}

} // namespace
