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

// Answers the modal message boxes and dialogs of this process while it lives, and records
// what they showed. It runs on its own thread because a message box blocks the thread that
// opened it in its own modal loop.
class DialogWatcher
{
public:
    // Presses IDOK until told otherwise.
    DialogWatcher();
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Rules for the dialogs that appear from now on.
    void PressId(int id);
    // The first button whose text (without '&') contains the given text; IDCANCEL when
    // the dialog has none, so that a wrong rule fails the test instead of hanging it.
    void PressButtonWithText(const std::string& text);

    std::vector<ShownDialog> Dialogs() const;

private:
    enum { kPollMs = 20, kTextStaticId = 0xFFFF };

    void Watch();
    void AnswerVisibleDialogs();
    void Answer(HWND dialog);
    int ChooseButton(HWND dialog);
    static BOOL CALLBACK CollectDialog(HWND window, LPARAM param);
    static std::string WindowText(HWND window);

    // Guards m_dialogs, m_pressId and m_pressText.
    mutable std::mutex m_lock;
    std::vector<ShownDialog> m_dialogs;
    int m_pressId = IDOK;
    std::string m_pressText;

    // Windows answered already; touched by the watcher thread only.
    std::set<HWND> m_answered;
    // Signalled by the destructor, waited on by the watcher thread between rounds.
    HANDLE m_stop;
    std::thread m_thread;
};
