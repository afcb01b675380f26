// The drive table, the drive chooser and the link list, on the main
// dialog's real combo box and list view, over a fake network provider.
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

// Runs the main dialog and calls body with it, on a fresh drive table.
class DrivesTest : public UiTest {
protected:
    void WithDialog(std::function<void(CSearchDlg &)> body) {
        WithMainDialog([&](CSearchDlg &dlg, HWND) {
            memset(DriveTable, 0, sizeof DriveTable);
            body(dlg);
        });
    }
    // The chooser's items joined by "|", and its selected item's text.
    static std::string Items(CComboBox &combo) {
        std::string s;
        for (int i = 0; i < combo.GetCount(); i++) {
            CString t;
            combo.GetLBText(i, t);
            s += (i ? "|" : "") + std::string(t);
        }
        return s;
    }
    static std::string Selected(CComboBox &combo) {
        CString t;
        if (combo.GetCurSel() >= 0) combo.GetLBText(combo.GetCurSel(), t);
        return std::string(t);
    }
    void Rescan(CSearchDlg &dlg) {
        ScanMappedDrives();
        FillDriveCombo(dlg.m_comboDrive);
    }
    FakeNetwork net;
};

std::string Letters(char from, char to) {
    std::string s;
    for (char c = from; c <= to; c++) s += std::string(s.empty() ? "" : "|") + c + ":";
    return s;
}

TEST_F(DrivesTest, ConnectedLetterShowsItsFolderAndTheFirstFreeOneIsSelected) {
    net.Connect('E', "\\\\STORE1\\public");
    net.Connect('D', "\\\\STORE2\\music\\live");
    WithDialog([&](CSearchDlg &dlg) {
        Rescan(dlg);
        EXPECT_STREQ("STORE1", DriveTable[4].server);
        EXPECT_STREQ("public", DriveTable[4].share);
        EXPECT_STREQ("E:", DriveTable[4].drive);
        EXPECT_STREQ("music\\live", DriveTable[3].share);
        EXPECT_EQ("D: \\\\STORE2\\music\\live|E: \\\\STORE1\\public|" + Letters('F', 'Z'), Items(dlg.m_comboDrive));
        EXPECT_EQ("F:", Selected(dlg.m_comboDrive));
    });
}

TEST_F(DrivesTest, RemoteNameWithoutShareKeepsThePreviousScansTexts) {
    net.Connect('E', "\\\\STORE1");
    WithDialog([&](CSearchDlg &dlg) {
        Rescan(dlg);
        EXPECT_STREQ("", DriveTable[4].server) << "empty on the first scan";
        EXPECT_EQ("D:", Selected(dlg.m_comboDrive));
        net.Connect('D', "\\\\STORE1");   // unsplit from the first scan: free, and the default
        net.Connect('E', "\\\\STORE1\\public");
        Rescan(dlg);
        net.Connect('E', "\\\\STORE1");
        Rescan(dlg);
        EXPECT_STREQ("STORE1", DriveTable[4].server);
        EXPECT_STREQ("public", DriveTable[4].share);
        EXPECT_EQ("D:", Selected(dlg.m_comboDrive));
        EXPECT_EQ("E: \\\\STORE1\\public", Items(dlg.m_comboDrive).substr(3, 18));
    });
}

TEST_F(DrivesTest, LettersWithoutAUsableConnectionAreFree) {
    net.Connect('E', "\\\\STORE1\\");                      // a server but no share text
    net.Connect('F', "\\\\\\public");                      // a backslash at position 2: no server text
    net.Connect('G', "\\\\STORE1\\public");
    net.FailQuery('G', ERROR_MORE_DATA);                   // does not fit in 256 characters
    net.Connect('H', "\\\\STORE1\\public");
    net.FailQuery('H', ERROR_CONNECTION_UNAVAIL);          // remembered, not available
    WithDialog([&](CSearchDlg &dlg) {
        Rescan(dlg);
        EXPECT_EQ(Letters('D', 'Z'), Items(dlg.m_comboDrive));
        EXPECT_EQ("D:", Selected(dlg.m_comboDrive));
        EXPECT_STREQ("", DriveTable[6].server);
        EXPECT_STREQ("", DriveTable[6].share);
    });
}

TEST_F(DrivesTest, ABCAndLocalDrivesAreNeverOffered) {
    net.Connect('A', "\\\\STORE1\\a");
    net.Connect('B', "\\\\STORE1\\b");
    net.Connect('C', "\\\\STORE1\\c");
    const struct {
        char letter;
        UINT type;
    } local[] = {{'D', DRIVE_FIXED}, {'E', DRIVE_REMOVABLE}, {'F', DRIVE_CDROM}, {'G', DRIVE_RAMDISK},
                 {'H', DRIVE_UNKNOWN}, {'I', DRIVE_REMOTE}, {'J', 77}};
    for (const auto &l : local) net.SetDriveType(l.letter, l.type);
    WithDialog([&](CSearchDlg &dlg) {
        Rescan(dlg);
        EXPECT_EQ(Letters('H', 'Z'), Items(dlg.m_comboDrive));
        EXPECT_EQ("H:", Selected(dlg.m_comboDrive));
    });
}

TEST_F(DrivesTest, EveryOfferedLetterConnectedSelectsNothing) {
    for (char c = 'D'; c <= 'Z'; c++) net.Connect(c, std::string("\\\\STORE1\\s") + c);
    WithDialog([&](CSearchDlg &dlg) {
        Rescan(dlg);
        EXPECT_EQ(23, dlg.m_comboDrive.GetCount());
        EXPECT_EQ(CB_ERR, dlg.m_comboDrive.GetCurSel());
        EXPECT_EQ("", Text(dlg.m_comboDrive.m_hWnd)) << "an empty face";
        CString last;
        dlg.m_comboDrive.GetLBText(22, last);
        EXPECT_STREQ("Z: \\\\STORE1\\sZ", last) << "the sorted list keeps letter order";
    });
}

TEST_F(DrivesTest, ServerPartLongerThan63IsCut) {
    const std::string server(100, 'S');
    net.Connect('E', "\\\\" + server + "\\public");
    WithDialog([&](CSearchDlg &dlg) {
        Rescan(dlg);
        EXPECT_EQ(server.substr(0, 63), DriveTable[4].server);
        EXPECT_STREQ("public", DriveTable[4].share);
        EXPECT_EQ("D:", Selected(dlg.m_comboDrive));
    });
}

// --- the link list ---

struct LinkCase {
    const char *name;
    std::vector<std::pair<char, std::string>> connections;
    std::vector<std::string> shares;
    std::string exact, ignoringCase;   // "folder=letter" rows joined by ","
};

void PrintTo(const LinkCase &c, std::ostream *os) { *os << c.name; }

class LinkList : public DrivesTest, public ::testing::WithParamInterface<LinkCase> {
protected:
    static std::string Rows(CListCtrl &list) {
        std::string s;
        for (int i = 0; i < list.GetItemCount(); i++)
            s += (i ? "," : "") + std::string(list.GetItemText(i, 0)) + "=" + std::string(list.GetItemText(i, 1));
        return s;
    }
};

TEST_P(LinkList, PairsFoldersWithTheirLetters) {
    for (const auto &c : GetParam().connections) net.Connect(c.first, c.second);
    for (const std::string &s : GetParam().shares) AppendShare(s.c_str());
    WithDialog([&](CSearchDlg &dlg) {
        ScanMappedDrives();
        FillLinkList(dlg.m_listLink, "STORE1", "192.168.0.32", false);
        EXPECT_EQ(GetParam().exact, Rows(dlg.m_listLink)) << "server compared exactly";
        FillLinkList(dlg.m_listLink, "STORE1", "192.168.0.32", true);
        EXPECT_EQ(GetParam().ignoringCase, Rows(dlg.m_listLink)) << "server case ignored";
    });
}

const std::vector<std::string> kPublicMusic = {"public", "music"};

INSTANTIATE_TEST_SUITE_P(
    Links, LinkList,
    ::testing::Values(
        LinkCase{"ByName", {{'E', "\\\\STORE1\\public"}}, kPublicMusic, "public=E:,music=", "public=E:,music="},
        LinkCase{"ShareCaseIgnored", {{'E', "\\\\STORE1\\PUBLIC"}}, kPublicMusic, "public=E:,music=", "public=E:,music="},
        LinkCase{"ServerCaseOnlyWhenIgnored", {{'E', "\\\\store1\\public"}}, kPublicMusic, "public=,music=",
                 "public=E:,music="},
        LinkCase{"ByAddress", {{'E', "\\\\192.168.0.32\\music"}}, kPublicMusic, "public=,music=E:", "public=,music=E:"},
        LinkCase{"LastLetterWins", {{'G', "\\\\STORE1\\public"}, {'E', "\\\\STORE1\\public"}}, kPublicMusic,
                 "public=G:,music=", "public=G:,music="},
        LinkCase{"SubfolderDoesNotMatch", {{'E', "\\\\STORE1\\public\\docs"}}, kPublicMusic, "public=,music=",
                 "public=,music="},
        LinkCase{"OtherServerDoesNotMatch", {{'E', "\\\\STORE2\\public"}}, kPublicMusic, "public=,music=",
                 "public=,music="},
        LinkCase{"OnlyAsciiLettersFold", {{'E', "\\\\STORE1\\PUBL\xC9"}}, {"publ\xE9"}, "publ\xE9=", "publ\xE9="},
        LinkCase{"NoFolders", {{'E', "\\\\STORE1\\public"}}, {}, "", ""}),
    [](const testing::TestParamInfo<LinkCase> &i) { return std::string(i.param.name); });

TEST(AsciiCase, FoldsOnlyAToZ) {
    EXPECT_TRUE(EqualsIgnoringAsciiCase("Store1", "sTORE1"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("STORE1", "STORE"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("[", "{")) << "not letters";
    EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC4", "\xE4"));
    EXPECT_TRUE(EqualsIgnoringAsciiCase("", ""));
}

}  // namespace
