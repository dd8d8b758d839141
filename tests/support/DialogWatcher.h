#pragma once

#include <windows.h>

#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct ShownDialog
{
    std::string caption;
    std::string text;  // of the static control 0xFFFF, where message boxes put their text
    int pressed;       // the command id sent to the dialog
    HWND owner;        // the owner window, NULL for none
};

// Answers the modal message boxes and dialogs of one process while it lives, and records
// what they showed: this process's, or those of a program under test. It runs on its own
// thread because a message box blocks the thread that opened it in its own modal loop.
// Rules: the first text rule whose text the dialog's text contains, else the button rule.
class DialogWatcher
{
public:
    // This process's dialogs; presses IDOK until told otherwise.
    DialogWatcher();
    // The dialogs of the process with that id.
    explicit DialogWatcher(DWORD processId);
    // The same, leaving one dialog alone: a dialog program's main window.
    DialogWatcher(DWORD processId, HWND leaveAlone);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Button rules for the dialogs that appear from now on.
    void PressId(int id);
    // The first button whose text (without '&') contains the given text; IDCANCEL when
    // the dialog has none, so that a wrong rule fails the test instead of hanging it.
    void PressButtonWithText(const std::string& text);
    // A dialog whose text contains the given text gets the id, before any button rule.
    void PressIdWhenTextContains(const std::string& text, int id);

    // Only dialogs of that caption are answered and recorded: a program's own modeless
    // dialogs (its main windows among them) are left alone.
    void OnlyCaption(const std::string& caption);

    std::vector<ShownDialog> Dialogs() const;

private:
    enum { kPollMs = 20, kTextStaticId = 0xFFFF };

    struct TextRule
    {
        std::string text;
        int id;
    };

    void Watch();
    void AnswerVisibleDialogs();
    void Answer(HWND dialog);
    int ChooseButton(HWND dialog, const std::string& text);
    static BOOL CALLBACK CollectDialog(HWND window, LPARAM param);

    const DWORD m_processId;
    const HWND m_leaveAlone;

    // Guards m_dialogs, m_pressId, m_pressText, m_textRules and m_onlyCaption.
    mutable std::mutex m_lock;
    std::vector<ShownDialog> m_dialogs;
    int m_pressId = IDOK;
    std::string m_pressText;
    std::vector<TextRule> m_textRules;
    std::string m_onlyCaption;

    // Windows answered already; touched by the watcher thread only.
    std::set<HWND> m_answered;
    // Dialogs visible at the last round: one is answered only when it is still there a
    // round later, since a property frame shows its window before it sets its title.
    // Touched by the watcher thread only.
    std::set<HWND> m_seen;
    // Signalled by the destructor, waited on by the watcher thread between rounds.
    HANDLE m_stop;
    std::thread m_thread;
};
