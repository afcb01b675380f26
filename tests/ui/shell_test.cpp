// The application shell under Wine: start-up order, the About box and its
// system-menu command, and every way the main window ends.
#include <gtest/gtest.h>

#include "app/search_app.h"
#include "app/search_dlg.h"
#include "protocol/endpoint.h"
#include "res/resource.h"
#include "tests/ui/harness.h"

namespace {

// The About box's texts, as the template gives them.
const char kAboutTexts[] = "<icon>|Orlenda Storvane|Copyright (C) 1999-2026 Orlenda. All rights reserved.|OK|Version : 1.4.0.0";

class ShellTest : public UiTest {
protected:
    bool EndpointClosed() const { return lan.closed().size() == 2 && lan.cleanedUp(); }
};

// The About box: checks what it shows, notes it, and presses OK.
ScriptedUser::Step AboutBox(std::vector<std::string> *seen, const std::string *note) {
    return [seen, note](HWND about) {
        EXPECT_EQ("Tarvik Locavist", Text(about));
        EXPECT_EQ(kAboutTexts, ChildTexts(about));
        seen->push_back(*note);
        Click(about, IDOK);
    };
}

TEST_F(ShellTest, InitInstanceBringsTheEndpointUpBeforeAnyWindowAndReturnsFalse) {
    CloseNetwork();   // InitInstance brings it up itself
    lan.ClearRecords();
    lan.AddAdapter(AdapterConfig());
    // Whether the endpoint was up when the first window was made.
    static int socketsAtFirstWindow;
    socketsAtFirstWindow = -1;
    struct Hook {
        static LRESULT CALLBACK Proc(int code, WPARAM w, LPARAM l) {
            if (code == HCBT_CREATEWND && socketsAtFirstWindow < 0)
                socketsAtFirstWindow = ReceiveSocket != NET_INVALID_SOCKET && SendSocket != NET_INVALID_SOCKET;
            return CallNextHookEx(nullptr, code, w, l);
        }
    };
    HHOOK hook = SetWindowsHookExA(WH_CBT, Hook::Proc, nullptr, GetCurrentThreadId());
    HWND mainWindow = nullptr;
    ScriptedUser user;
    user.Then([&](HWND main) {
        mainWindow = main;
        EXPECT_EQ(main, theApp.m_pMainWnd->m_hWnd) << "the main dialog is the main window";
        EXPECT_EQ("Tarvik Locavist", Text(main));
        EXPECT_EQ(1, (int)SendDlgItemMessageA(main, IDC_LIST_ADAPTER, LVM_GETITEMCOUNT, 0, 0))
            << "the first sweep ran before the window was shown";
        Click(main, IDC_BTN_EXIT);
    });
    EXPECT_EQ(FALSE, theApp.InitInstance());
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(1, socketsAtFirstWindow);
    EXPECT_TRUE(mainWindow && !IsWindow(mainWindow));
    EXPECT_TRUE(EndpointClosed());
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_TRUE(TakeQuitMessage()) << "the main window's end posts the quit message";
    EXPECT_EQ("", boxes.Summary());
}

TEST_F(ShellTest, WinSockThatCannotStartEndsTheProcessWithStatus1AndNoWindow) {
    EXPECT_EXIT(
        {
            CloseNetwork();
            SimLan failing;
            failing.SetStartupFails();
            theApp.InitInstance();
            exit(boxes.boxes().empty() && !FindWindowA(nullptr, "Tarvik Locavist") ? 7 : 8);
        },
        ::testing::ExitedWithCode(1), "");
}

TEST_F(ShellTest, SystemCommands0x10To0x1FOpenTheAboutBoxOthersDoNot) {
    std::vector<std::string> opened;
    std::string sending;
    ScriptedUser user;
    // Standard commands past 0xF000 that need no user: restore, and one
    // that the system does not know.
    const UINT commands[] = {0x10, 0x11, 0x1F, 0x20, 0x0F, SC_RESTORE, 0xF1F0};
    user.Then([&](HWND main) {
        for (UINT c : commands) {
            sending = std::to_string(c);
            SendMessageA(main, WM_SYSCOMMAND, c, 0);
        }
        Click(main, IDC_BTN_EXIT);
    });
    for (int i = 0; i < 3; i++) user.Then(AboutBox(&opened, &sending));
    RunMainDialog();
    EXPECT_EQ((std::vector<std::string>{"16", "17", "31"}), opened);
}

TEST_F(ShellTest, AboutButtonAndSystemMenuEntryOpenTheSameBox) {
    std::vector<std::string> opened;
    std::string via;
    ScriptedUser user;
    user.Then([&](HWND main) {
        HMENU menu = GetSystemMenu(main, FALSE);
        const int n = GetMenuItemCount(menu);
        ASSERT_GE(n, 2);
        char text[64] = {};
        GetMenuStringA(menu, n - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ("About Storvane(&A)...", text);
        EXPECT_EQ(0x10u, GetMenuItemID(menu, n - 1));
        EXPECT_TRUE(GetMenuState(menu, n - 2, MF_BYPOSITION) & MF_SEPARATOR);
        via = "button";
        Click(main, IDC_BTN_ABOUT);
        via = "menu";
        SendMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        Click(main, IDC_BTN_EXIT);
    });
    user.Then(AboutBox(&opened, &via)).Then(AboutBox(&opened, &via));
    RunMainDialog();
    EXPECT_EQ((std::vector<std::string>{"button", "menu"}), opened);
}

TEST_F(ShellTest, ExitClosesTheEndpointThenDestroysTheWindow) {
    HWND mainWindow = nullptr;
    std::vector<bool> windowAliveAtClose;
    lan.onClose = [&](NetSocket) { windowAliveAtClose.push_back(IsWindow(mainWindow) != 0); };
    ScriptedUser user;
    user.Then([&](HWND main) {
        mainWindow = main;
        Click(main, IDC_BTN_EXIT);
        EXPECT_FALSE(IsWindow(main)) << "Exit destroys the window at once";
    });
    EXPECT_EQ(-1, RunMainDialog()) << "ended by its window's destruction, not by EndDialog";
    EXPECT_EQ((std::vector<bool>{true, true}), windowAliveAtClose);
    EXPECT_TRUE(EndpointClosed());
    EXPECT_TRUE(TakeQuitMessage());
}

struct CloseCase {
    const char *name;
    void (*close)(HWND main);
};

void PrintTo(const CloseCase &c, std::ostream *os) { *os << c.name; }

class CloseWays : public ShellTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseWays, CloseTheEndpointThenEndWithCancel) {
    ScriptedUser user;
    user.Then([&](HWND main) { GetParam().close(main); });
    EXPECT_EQ(IDCANCEL, RunMainDialog());
    EXPECT_TRUE(EndpointClosed());
    EXPECT_TRUE(TakeQuitMessage()) << "the main window's end posts the quit message, as after Exit";
}

INSTANTIATE_TEST_SUITE_P(
    Shell, CloseWays,
    ::testing::Values(CloseCase{"CaptionCloseBox", [](HWND m) { PostMessageA(m, WM_CLOSE, 0, 0); }},
                      CloseCase{"SystemMenuClose", [](HWND m) { PostMessageA(m, WM_SYSCOMMAND, SC_CLOSE, 0); }},
                      CloseCase{"AltF4",
                                [](HWND m) {
                                    // the context bit (29) says Alt is down
                                    PostMessageA(GetFocus() ? GetFocus() : m, WM_SYSKEYDOWN, VK_F4, 1 << 29);
                                }}),
    [](const testing::TestParamInfo<CloseCase> &i) { return std::string(i.param.name); });

struct KeyCase {
    const char *name;
    WPARAM key;
    INT_PTR result;
};

void PrintTo(const KeyCase &c, std::ostream *os) { *os << c.name; }

class EndKeys : public ShellTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EndKeys, EndTheDialogThroughTheDefaultsWithoutClosingTheEndpoint) {
    ScriptedUser user;
    user.Then([&](HWND main) {
        HWND focus = GetFocus();
        EXPECT_EQ(GetDlgItem(main, IDC_LIST_ADAPTER), focus) << "the first tab stop has the focus";
        PostMessageA(focus, WM_KEYDOWN, GetParam().key, 1);
    });
    EXPECT_EQ(GetParam().result, RunMainDialog());
    EXPECT_TRUE(lan.closed().empty()) << "the defaults do not close the endpoint";
}

INSTANTIATE_TEST_SUITE_P(Shell, EndKeys,
                         ::testing::Values(KeyCase{"Enter", VK_RETURN, IDOK}, KeyCase{"Escape", VK_ESCAPE, IDCANCEL}),
                         [](const testing::TestParamInfo<KeyCase> &i) { return std::string(i.param.name); });

TEST_F(ShellTest, InitialisationDataFillsTheDhcpList) {
    ScriptedUser user;
    user.Then([&](HWND main) {
        HWND dhcp = GetDlgItem(main, IDC_COMBO_DHCP);
        ASSERT_EQ(2, (int)SendMessageA(dhcp, CB_GETCOUNT, 0, 0));
        char text[32];
        SendMessageA(dhcp, CB_GETLBTEXT, 0, (LPARAM)text);
        EXPECT_STREQ("Disabled", text);
        SendMessageA(dhcp, CB_GETLBTEXT, 1, (LPARAM)text);
        EXPECT_STREQ("Enabled", text);
        EXPECT_EQ(CB_ERR, (int)SendMessageA(dhcp, CB_GETCURSEL, 0, 0)) << "nothing selected at first";
        Click(main, IDC_BTN_EXIT);
    });
    RunMainDialog();
}

}  // namespace
