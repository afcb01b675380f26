#include "tests/ui/harness.h"

#include "app/search_app.h"
#include "protocol/endpoint.h"
#include "protocol/registry.h"
#include "res/resource.h"

namespace {
MessageBoxRecorder *g_recorder = nullptr;
ScriptedUser *g_user = nullptr;

// A dialog that no step asked for stays open until this long without a
// step, then it is closed.
const DWORD kStuckMs = 5000;
}  // namespace

MessageBoxRecorder::MessageBoxRecorder() {
    g_recorder = this;
    static const UiApi recorder = {Record};
    SetUi(&recorder);
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetUi(nullptr);
    g_recorder = nullptr;
}

int MessageBoxRecorder::Record(HWND owner, const char *text, const char *caption, UINT flags) {
    g_recorder->boxes_.push_back(RecordedBox{owner, text ? text : "", caption ? caption : "", flags});
    if (g_recorder->real_) return MessageBoxA(owner, text, caption, flags);
    return IDOK;
}

std::string MessageBoxRecorder::Summary() const {
    std::string s;
    for (const RecordedBox &b : boxes_) s += b.text + " | " + b.caption + " | " + std::to_string(b.flags) + "\n";
    return s;
}

ScriptedUser::ScriptedUser() {
    g_user = this;
    lastProgress_ = GetTickCount();
    timer_ = SetTimer(nullptr, 0, 10, Tick);
}

ScriptedUser::~ScriptedUser() {
    KillTimer(nullptr, timer_);
    g_user = nullptr;
    EXPECT_EQ(0u, Pending()) << "steps left over: their dialogs never appeared";
}

ScriptedUser &ScriptedUser::Then(Step step) {
    steps_.push_back(step);
    return *this;
}

void CALLBACK ScriptedUser::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_user) g_user->OnTick();
}

namespace {

struct Candidates {
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lParam) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
        reinterpret_cast<Candidates *>(lParam)->dialogs.push_back(hwnd);
    return TRUE;
}

}  // namespace

void ScriptedUser::OnTick() {
    Candidates found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, (LPARAM)&found);
    for (HWND dialog : found.dialogs) {
        if (handled_.count(dialog)) continue;
        handled_.insert(dialog);
        dialogs_.push_back(dialog);
        lastProgress_ = GetTickCount();
        if (next_ < steps_.size()) {
            Step step = steps_[next_++];   // taken before it runs: a step may open the next dialog
            step(dialog);
        } else {
            ADD_FAILURE() << "a dialog no step expected: \"" << Text(dialog) << "\" with " << ChildTexts(dialog);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
        return;
    }
    if (GetTickCount() - lastProgress_ > kStuckMs) {
        lastProgress_ = GetTickCount();
        for (HWND dialog : found.dialogs) {
            ADD_FAILURE() << "dialog \"" << Text(dialog) << "\" still open after its step; closing it";
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    }
}

void Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    ASSERT_NE(nullptr, button) << "no control " << id;
    SendMessageA(button, BM_CLICK, 0, 0);
}

std::string Text(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ChildTexts(HWND dialog) {
    std::string s;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = {};
        GetClassNameA(child, cls, sizeof cls);
        const bool icon = lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        s += (child == GetWindow(dialog, GW_CHILD) ? "" : "|") + (icon ? std::string("<icon>") : Text(child));
    }
    return s;
}

HWND FindChildByText(HWND dialog, const char *text) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (Text(child) == text) return child;
    return nullptr;
}

bool TakeQuitMessage() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

void UiTest::SetUp() {
    ClearAdapterList();
    ClearShareList();
    memset(SelectedAddress, 0, sizeof SelectedAddress);
    theApp.SetDialogBkColor(DIALOG_BACKGROUND, DIALOG_TEXT);
    InitNetwork();
    lan.ClearRecords();
}

INT_PTR UiTest::RunMainDialog() {
    CSearchDlg dlg;
    theApp.m_pMainWnd = &dlg;
    const INT_PTR result = dlg.DoModal();
    theApp.m_pMainWnd = nullptr;
    return result;
}

void UiTest::WithMainDialog(std::function<void(CSearchDlg &, HWND)> body) {
    CSearchDlg dlg;
    theApp.m_pMainWnd = &dlg;
    ScriptedUser user;
    user.Then([&](HWND main) {
        body(dlg, main);
        Click(main, IDC_BTN_EXIT);
    });
    dlg.DoModal();
    theApp.m_pMainWnd = nullptr;
}

void UiTest::TearDown() {
    theApp.m_pMainWnd = nullptr;
    if (ReceiveSocket != NET_INVALID_SOCKET) CloseNetwork();
    ClearAdapterList();
    ClearShareList();
    TakeQuitMessage();
}
