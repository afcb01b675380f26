// The UI test harness: the program's real dialogs, with the real common
// controls, driven from inside the test process.
//
//  - MessageBoxRecorder stands in for the message-box seam: it records text,
//    caption and flags and answers IDOK at once; or, told to, shows the real
//    box, for tests that look at the box itself.
//  - ScriptedUser plays the user.  Each step it is given is run, in order,
//    on the next modal dialog that appears (a new visible, enabled dialog
//    window of this thread), from a thread timer that fires inside the
//    dialog's own message loop.  A step clicks, types and checks through
//    messages, as a user's actions arrive.  A dialog with no step left is a
//    failure; it is closed so that the test cannot hang.
//  - UiTest is a fixture with the simulated LAN (virtual time, so a sweep
//    takes no real time), the recorder, the dialog colours of the program,
//    and the endpoint up.
#ifndef TESTS_UI_HARNESS_H
#define TESTS_UI_HARNESS_H

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/search_dlg.h"
#include "platform/ui.h"
#include "tests/support/simlan.h"

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    // From now on, show real message boxes (and record them too).
    void ShowRealBoxes() { real_ = true; }
    const std::vector<RecordedBox> &boxes() const { return boxes_; }
    // "text | caption | flags", one line per box, for comparisons that show
    // everything on failure.
    std::string Summary() const;

private:
    static int Record(HWND owner, const char *text, const char *caption, UINT flags);
    std::vector<RecordedBox> boxes_;
    bool real_ = false;
};

class ScriptedUser {
public:
    typedef std::function<void(HWND dialog)> Step;
    ScriptedUser();
    ~ScriptedUser();
    ScriptedUser &Then(Step step);
    size_t Pending() const { return steps_.size() - next_; }
    const std::vector<HWND> &dialogs() const { return dialogs_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();
    std::vector<Step> steps_;
    size_t next_ = 0;
    std::vector<HWND> dialogs_;
    std::set<HWND> handled_;
    UINT_PTR timer_ = 0;
    DWORD lastProgress_ = 0;
};

// --- acting and looking, through the real controls ---

void Click(HWND dialog, int id);   // BM_CLICK on the button
std::string Text(HWND window);
// The texts of a dialog's children, in creation order, joined by "|"; an
// icon shows as <icon>.
std::string ChildTexts(HWND dialog);
HWND FindChildByText(HWND dialog, const char *text);
// Removes a WM_QUIT from this thread's queue; true when there was one.
bool TakeQuitMessage();

class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the main dialog as the application does, as its main window; a
    // ScriptedUser the test made plays the user.
    INT_PTR RunMainDialog();
    // Runs the main dialog, calls body in it, then presses Exit.
    void WithMainDialog(std::function<void(CSearchDlg &, HWND)> body);
    SimLan lan;
    MessageBoxRecorder boxes;
};

#endif
