// The main window: its lists and fields after start-up and refresh, the
// paint that keeps the drive chooser and the link list current, and its
// message map.
#include <string.h>

#include <gtest/gtest.h>

#include "app/search_app.h"
#include "app/search_dlg.h"
#include "drives/drive_table.h"
#include "drives/link_list.h"
#include "protocol/registry.h"
#include "res/resource.h"
#include "tests/ui/fake_network.h"
#include "tests/ui/harness.h"

namespace {

class MainWindowTest : public UiTest {
protected:
    static void Paint(HWND main) { RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
    static void Select(CListCtrl &list, int row) {
        list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    static std::string Rows(CListCtrl &list, int columns) {
        std::string s;
        for (int i = 0; i < list.GetItemCount(); i++) {
            s += i ? "\n" : "";
            for (int c = 0; c < columns; c++) s += (c ? "|" : "") + std::string(list.GetItemText(i, c));
        }
        return s;
    }
    static AdapterConfig Adapter(const char *name, uint8_t last, uint32_t delay) {
        AdapterConfig a;
        a.name = name;
        a.ip[0] = 192, a.ip[1] = 168, a.ip[2] = 0, a.ip[3] = last;
        a.mac[5] = last;
        a.netmask = "255.255.255.0";
        a.gateway = "192.168.0.1";
        a.replyDelayMs = delay;
        return a;
    }
    FakeNetwork net;
};

TEST_F(MainWindowTest, StartUpSweepListsTheAdaptersInFirstReplyOrder) {
    lan.AddAdapter(Adapter("LATE", 33, 60));
    lan.AddAdapter(Adapter("STORE1", 32, 5));
    WithMainDialog([&](CSearchDlg &dlg, HWND) {
        EXPECT_EQ("STORE1|192.168.0.32|255.255.255.0|192.168.0.1\nLATE|192.168.0.33|255.255.255.0|192.168.0.1",
                  Rows(dlg.m_listAdapter, 4));
        EXPECT_EQ(0, dlg.m_bAdapterSelected);
        EXPECT_EQ(3u, lan.sent().size()) << "one sweep";
    });
}

TEST_F(MainWindowTest, WithNoAdapterTheListsAndAddressFieldsAreBlank) {
    WithMainDialog([&](CSearchDlg &dlg, HWND) {
        EXPECT_EQ(0, dlg.m_listAdapter.GetItemCount());
        EXPECT_EQ(0, dlg.m_listLink.GetItemCount());
        EXPECT_TRUE(dlg.m_ipAddress.IsBlank());
        EXPECT_TRUE(dlg.m_ipNetmask.IsBlank());
        EXPECT_TRUE(dlg.m_ipGateway.IsBlank());
        EXPECT_EQ(CB_ERR, dlg.m_comboDhcp.GetCurSel());
        for (int id : {IDC_BTN_CONNECT, IDC_BTN_DISCONNECT, IDC_BTN_CONFIG, IDC_BTN_APPLY, IDC_IP_ADDRESS})
            EXPECT_TRUE(IsWindowEnabled(dlg.GetDlgItem(id))) << "control " << id << " starts enabled";
    });
}

TEST_F(MainWindowTest, ListsHaveTheirColumnsAndWholeRowSelection) {
    WithMainDialog([&](CSearchDlg &dlg, HWND) {
        const struct {
            CListCtrl *list;
            std::vector<std::pair<std::string, int>> columns;
        } lists[] = {{&dlg.m_listAdapter, {{"Name", 94}, {"IP", 81}, {"Netmask", 81}, {"Gateway", 81}}},
                     {&dlg.m_listLink, {{"Link Name", 120}, {"Location", 100}}}};
        for (const auto &l : lists) {
            EXPECT_EQ(DWORD(LVS_EX_FULLROWSELECT), l.list->GetExtendedStyle());
            HWND header = (HWND)l.list->SendMessage(LVM_GETHEADER);
            EXPECT_EQ((int)l.columns.size(), (int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
            for (size_t c = 0; c < l.columns.size(); c++) {
                char text[32] = {};
                LVCOLUMNA col = {};
                col.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
                col.pszText = text;
                col.cchTextMax = sizeof text;
                l.list->SendMessage(LVM_GETCOLUMNA, c, (LPARAM)&col);
                EXPECT_EQ(l.columns[c].first, text);
                EXPECT_EQ(l.columns[c].second, l.list->GetColumnWidth((int)c)) << text;
                EXPECT_EQ(LVCFMT_LEFT, col.fmt & LVCFMT_JUSTIFYMASK) << text;
                EXPECT_EQ((int)c, col.iSubItem) << text;
            }
        }
    });
}

TEST_F(MainWindowTest, RefreshSweepsWithRefreshDisabledAndEmptiesTheLinkList) {
    lan.AddAdapter(Adapter("STORE1", 32, 5));
    std::vector<bool> refreshEnabledDuringSweep;
    WithMainDialog([&](CSearchDlg &dlg, HWND main) {
        AppendShare("public");
        Select(dlg.m_listAdapter, 0);
        Paint(main);
        ASSERT_EQ(1, dlg.m_listLink.GetItemCount()) << "a paint lists the selected adapter's folders";
        dlg.m_bAdapterSelected = 1;
        dlg.m_ipAddress.SetAddress(1, 2, 3, 4);
        lan.ClearRecords();
        lan.onSend = [&](const SimLan::Sent &) { refreshEnabledDuringSweep.push_back(IsWindowEnabled(dlg.m_btnRefresh.m_hWnd)); };
        Click(main, IDC_BTN_REFRESH);
        lan.onSend = nullptr;
        EXPECT_EQ((std::vector<bool>{false, false, false}), refreshEnabledDuringSweep);
        EXPECT_TRUE(IsWindowEnabled(dlg.m_btnRefresh.m_hWnd));
        EXPECT_EQ(1, dlg.m_listAdapter.GetItemCount());
        EXPECT_EQ(0, dlg.m_listLink.GetItemCount());
        EXPECT_TRUE(dlg.m_ipAddress.IsBlank());
        EXPECT_EQ(0, dlg.m_bAdapterSelected);
        Paint(main);
        EXPECT_EQ(0, dlg.m_listLink.GetItemCount()) << "no row is selected after a refresh";
    });
}

TEST_F(MainWindowTest, EveryPaintRescansTheDrivesAndRebuildsChooserAndLinkList) {
    lan.AddAdapter(Adapter("STORE1", 32, 5));
    WithMainDialog([&](CSearchDlg &dlg, HWND main) {
        AppendShare("public");
        AppendShare("music");
        Select(dlg.m_listAdapter, 0);
        Paint(main);
        EXPECT_EQ("public|\nmusic|", Rows(dlg.m_listLink, 2));

        net.Connect('E', "\\\\STORE1\\public");
        const int before = net.queries;
        Paint(main);
        EXPECT_EQ(26, net.queries - before) << "one provider query per letter";
        EXPECT_EQ("public|E:\nmusic|", Rows(dlg.m_listLink, 2));
        CString item;
        dlg.m_comboDrive.GetLBText(1, item);
        EXPECT_STREQ("E: \\\\STORE1\\public", item);

        dlg.m_comboDrive.SetCurSel(5);
        Paint(main);
        EXPECT_EQ(0, dlg.m_comboDrive.GetCurSel()) << "a paint moves the choice back to the first free letter";
    });
}

TEST_F(MainWindowTest, PaintComparesTheServerCaseExactly) {
    lan.AddAdapter(Adapter("STORE1", 32, 5));
    net.Connect('E', "\\\\store1\\public");
    WithMainDialog([&](CSearchDlg &dlg, HWND main) {
        AppendShare("public");
        Select(dlg.m_listAdapter, 0);
        ScanMappedDrives();
        FillLinkList(dlg.m_listLink, "STORE1", "192.168.0.32", true);   // as a click does
        EXPECT_EQ("public|E:", Rows(dlg.m_listLink, 2));
        Paint(main);
        EXPECT_EQ("public|", Rows(dlg.m_listLink, 2));
    });
}

TEST_F(MainWindowTest, SelectedRowScrolledAboveTheTopLeavesTheLinkList) {
    for (uint8_t i = 0; i < 12; i++) lan.AddAdapter(Adapter(("NAS" + std::to_string(i)).c_str(), (uint8_t)(40 + i), 5 + i));
    WithMainDialog([&](CSearchDlg &dlg, HWND main) {
        ASSERT_EQ(12, dlg.m_listAdapter.GetItemCount());
        AppendShare("public");
        Select(dlg.m_listAdapter, 0);
        Paint(main);
        ASSERT_EQ("public|", Rows(dlg.m_listLink, 2));

        net.Connect('E', "\\\\NAS0\\public");
        dlg.m_listAdapter.EnsureVisible(11, FALSE);
        ASSERT_GT(dlg.m_listAdapter.GetTopIndex(), 0);
        Paint(main);
        EXPECT_EQ("public|", Rows(dlg.m_listLink, 2)) << "row 0 is above the first visible row";

        dlg.m_listAdapter.EnsureVisible(0, FALSE);
        Paint(main);
        EXPECT_EQ("public|E:", Rows(dlg.m_listLink, 2));
    });
}

TEST_F(MainWindowTest, IconsAndDragIconAreTheProgramIcon) {
    WithMainDialog([&](CSearchDlg &dlg, HWND main) {
        ASSERT_NE(nullptr, dlg.m_hIcon);
        EXPECT_EQ((LRESULT)dlg.m_hIcon, SendMessageA(main, WM_GETICON, ICON_BIG, 0));
        EXPECT_EQ((LRESULT)dlg.m_hIcon, SendMessageA(main, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ((LRESULT)dlg.m_hIcon, SendMessageA(main, WM_QUERYDRAGICON, 0, 0));
    });
}

TEST_F(MainWindowTest, MinimisedPaintRescansToo) {
    WithMainDialog([&](CSearchDlg &, HWND main) {
        ShowWindow(main, SW_MINIMIZE);
        const int before = net.queries;
        // Wine sends an iconic window no paint of its own: deliver one.
        SendMessageA(main, WM_PAINT, 0, 0);
        ASSERT_TRUE(IsIconic(main));
        EXPECT_EQ(26, net.queries - before);
        ShowWindow(main, SW_RESTORE);
    });
}

TEST(MessageMap, MainDialogRoutesItsThirteenMessagesInOrder) {
    const MsgMap *map = CSearchDlg::GetThisMessageMap();
    std::vector<std::string> got;
    for (const MsgMapEntry *e = map->entries; e->message; e++)
        got.push_back(std::to_string(e->message) + "/" + std::to_string((int)e->code) + "/" + std::to_string(e->id));
    auto entry = [](UINT m, int code, UINT id) { return std::to_string(m) + "/" + std::to_string(code) + "/" + std::to_string(id); };
    EXPECT_EQ((std::vector<std::string>{
                  entry(WM_SYSCOMMAND, 0, 0), entry(WM_PAINT, 0, 0), entry(WM_QUERYDRAGICON, 0, 0),
                  entry(WM_COMMAND, BN_CLICKED, 1009), entry(WM_NOTIFY, NM_CLICK, 1000),
                  entry(WM_COMMAND, BN_CLICKED, 1007), entry(WM_COMMAND, BN_CLICKED, 1008), entry(WM_CLOSE, 0, 0),
                  entry(WM_COMMAND, BN_CLICKED, 1002), entry(WM_COMMAND, BN_CLICKED, 1003),
                  entry(WM_COMMAND, BN_CLICKED, 1004), entry(WM_COMMAND, CBN_SELCHANGE, 1015),
                  entry(WM_COMMAND, BN_CLICKED, 1021)}),
              got);
    EXPECT_EQ(&CDialog::GetThisMessageMap, map->base);
}

}  // namespace
