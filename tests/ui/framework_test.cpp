// The dialog framework through real dialogs: data exchange and its length
// check, and the colours of dialogs and message boxes.
#include <gtest/gtest.h>

#include "app/search_app.h"
#include "app/search_dlg.h"
#include "res/resource.h"
#include "tests/ui/harness.h"

namespace {

// A dialog on the login template with one text member, limited to 16.
class TextDlg : public CDialog {
public:
    TextDlg() : CDialog(IDD_LOGIN) {}
    CString m_strText;

protected:
    void DoDataExchange(CDataExchange *pDX) override {
        DDX_Text(pDX, IDC_EDIT_USERNAME, m_strText);
        DDV_MaxChars(pDX, m_strText, 16);
    }

public:
    BOOL Update(BOOL save) { return UpdateData(save); }
};

class FrameworkTest : public UiTest {};

TEST_F(FrameworkTest, MaxCharsLimitsTypingAndRefusesLongerTexts) {
    TextDlg dlg;
    dlg.m_strText = "preset";
    ScriptedUser user;
    user.Then([&](HWND d) {
        HWND edit = GetDlgItem(d, IDC_EDIT_USERNAME);
        EXPECT_EQ("preset", Text(edit)) << "members fill the controls at start";
        EXPECT_EQ(16, (int)SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));

        SetWindowTextA(edit, "abcdefghijklmnop");   // 16: passes
        EXPECT_TRUE(dlg.Update(TRUE));
        EXPECT_STREQ("abcdefghijklmnop", dlg.m_strText);
        EXPECT_EQ("", boxes.Summary());

        SetWindowTextA(edit, "abcdefghijklmnopq");   // 17: refused
        EXPECT_FALSE(dlg.Update(TRUE));
        EXPECT_EQ("Please enter no more than 16 characters. | ui_tests | 48\n", boxes.Summary());
        EXPECT_EQ(edit, GetFocus()) << "the focus goes to the refused field";
        EXPECT_STREQ("abcdefghijklmnopq", dlg.m_strText) << "the text is read before it is checked";

        Click(d, IDOK);   // OnOK refuses too: the dialog stays
        EXPECT_TRUE(IsWindowVisible(d));
        EXPECT_EQ(2u, boxes.boxes().size());
        SetWindowTextA(edit, "short");
        Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("short", dlg.m_strText);
}

TEST_F(FrameworkTest, CancelLeavesTheMembersAsTheyWere) {
    TextDlg dlg;
    dlg.m_strText = "kept";
    ScriptedUser user;
    user.Then([&](HWND d) {
        SetWindowTextA(GetDlgItem(d, IDC_EDIT_USERNAME), "typed");
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("kept", dlg.m_strText);
}

COLORREF BrushColor(HBRUSH brush) {
    LOGBRUSH lb = {};
    if (!brush || !GetObjectA(brush, sizeof lb, &lb)) return CLR_INVALID;
    return lb.lbColor;
}

std::string Rgb(COLORREF c) {
    char s[32];
    snprintf(s, sizeof s, "RGB(%d, %d, %d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return c == CLR_INVALID ? "none" : s;
}

// What a window paints at a point of its client area.
COLORREF PixelAt(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

// The brush and text colour a dialog answers for one of its static controls.
void StaticColors(HWND dialog, HWND control, COLORREF *brush, COLORREF *text) {
    HDC dc = GetDC(control);
    SetTextColor(dc, RGB(1, 2, 3));
    *brush = BrushColor((HBRUSH)SendMessageA(dialog, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)control));
    *text = GetTextColor(dc);
    ReleaseDC(control, dc);
}

const std::string kBlue = "RGB(0, 98, 147)";
const std::string kWhite = "RGB(255, 255, 255)";

TEST_F(FrameworkTest, DialogsHaveTheBlueBackgroundAndWhiteLabels) {
    ScriptedUser user;
    user.Then([&](HWND main) {
        EXPECT_EQ(kBlue, Rgb(PixelAt(main, 2, 2))) << "the background as painted";
        EXPECT_EQ(kBlue, Rgb(BrushColor((HBRUSH)SendMessageA(main, WM_CTLCOLORDLG, 0, (LPARAM)main))));
        for (const char *label : {"I P :", "Netmask :", "Adapter", "Link Info"}) {
            COLORREF brush, text;
            StaticColors(main, FindChildByText(main, label), &brush, &text);
            EXPECT_EQ(kBlue, Rgb(brush)) << label;
            EXPECT_EQ(kWhite, Rgb(text)) << label;
        }
        Click(main, IDC_BTN_ABOUT);
        Click(main, IDC_BTN_EXIT);
    });
    user.Then([&](HWND about) {
        EXPECT_EQ(kBlue, Rgb(PixelAt(about, 2, 2)));
        COLORREF brush, text;
        StaticColors(about, FindChildByText(about, "Version : 1.4.0.0"), &brush, &text);
        EXPECT_EQ(kWhite, Rgb(text));
        Click(about, IDOK);
    });
    RunMainDialog();
}

TEST_F(FrameworkTest, EditFieldsKeepTheSystemColoursWhenDisabled) {
    TextDlg dlg;
    ScriptedUser user;
    user.Then([&](HWND d) {
        HWND edit = GetDlgItem(d, IDC_EDIT_USERNAME);
        EnableWindow(edit, FALSE);   // a disabled edit asks with WM_CTLCOLORSTATIC
        COLORREF brush, text;
        StaticColors(d, edit, &brush, &text);
        EXPECT_NE(kBlue, Rgb(brush));
        EXPECT_NE(kWhite, Rgb(text));
        Click(d, IDCANCEL);
    });
    dlg.DoModal();
}

TEST_F(FrameworkTest, MessageBoxesHaveTheBlueBackgroundAndWhiteText) {
    boxes.ShowRealBoxes();
    ScriptedUser user;
    user.Then([&](HWND main) {
        CWnd(main).MessageBox("Please input IP address!", "Warning", MB_OK | MB_ICONEXCLAMATION);
        Click(main, IDC_BTN_EXIT);
    });
    user.Then([&](HWND box) {
        EXPECT_EQ("Warning", Text(box));
        EXPECT_EQ(kBlue, Rgb(PixelAt(box, 2, 2)));
        HWND text = FindChildByText(box, "Please input IP address!");
        ASSERT_NE(nullptr, text) << ChildTexts(box);
        COLORREF brush, color;
        StaticColors(box, text, &brush, &color);
        EXPECT_EQ(kBlue, Rgb(brush));
        EXPECT_EQ(kWhite, Rgb(color));
        Click(box, IDOK);
    });
    RunMainDialog();
    EXPECT_EQ("Please input IP address! | Warning | 48\n", boxes.Summary());
}

}  // namespace
