// The compiled resources of TarvikLocavist.exe, read back from the program
// file and compared with the tables they were written from: a slip in the
// .rc fails here.
#include <windows.h>
#include <commctrl.h>

#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "res/resource.h"

namespace {

struct Item {
    int id;
    std::string cls, text;
    DWORD style, exStyle;
    int x, y, cx, cy;
};

struct Template {
    bool extended;
    DWORD style, exStyle;
    int x, y, cx, cy;
    std::string menu, cls, title, font;
    int pointSize, weight, italic, charset;
    std::vector<Item> items;
};

// Reads a DLGTEMPLATE or DLGTEMPLATEEX, bounded by its resource size.
class TemplateReader {
public:
    TemplateReader(const BYTE *p, size_t size) : p_(p), size_(size) {}
    bool ok() const { return ok_; }

    Template Read() {
        Template t{};
        t.extended = Word(2) == 0xFFFF && Word(0) == 1;
        if (t.extended) {
            at_ = 8;
            t.exStyle = Dword();
            t.style = Dword();
        } else {
            t.style = Dword();
            t.exStyle = Dword();
        }
        const int count = Word();
        t.x = (short)Word();
        t.y = (short)Word();
        t.cx = (short)Word();
        t.cy = (short)Word();
        t.menu = NameOrOrdinal(nullptr);
        t.cls = NameOrOrdinal(nullptr);
        t.title = Wide();
        if (t.style & (DS_SETFONT | DS_SHELLFONT)) {
            t.pointSize = Word();
            if (t.extended) {
                t.weight = Word();
                t.italic = Byte();
                t.charset = Byte();
            }
            t.font = Wide();
        }
        for (int i = 0; i < count && ok_; i++) {
            Align();
            Item it{};
            if (t.extended) {
                Dword();   // help id
                it.exStyle = Dword();
                it.style = Dword();
            } else {
                it.style = Dword();
                it.exStyle = Dword();
            }
            it.x = (short)Word();
            it.y = (short)Word();
            it.cx = (short)Word();
            it.cy = (short)Word();
            it.id = t.extended ? (int)Dword() : (short)Word();
            static const char *const kAtoms[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
            it.cls = NameOrOrdinal(kAtoms);
            it.text = NameOrOrdinal(nullptr);
            const int extra = Word();
            at_ += (size_t)extra;
            t.items.push_back(it);
        }
        return t;
    }

private:
    unsigned Byte() {
        if (at_ + 1 > size_) return Bad();
        return p_[at_++];
    }
    unsigned Word() {
        if (at_ + 2 > size_) return Bad();
        const unsigned v = p_[at_] | p_[at_ + 1] << 8;
        at_ += 2;
        return v;
    }
    unsigned Word(size_t offset) const { return offset + 2 <= size_ ? (unsigned)(p_[offset] | p_[offset + 1] << 8) : 0; }
    DWORD Dword() {
        const DWORD lo = Word();
        return lo | (DWORD)Word() << 16;
    }
    unsigned Bad() {
        ok_ = false;
        at_ = size_;
        return 0;
    }
    void Align() { at_ = (at_ + 3) & ~(size_t)3; }
    std::string Wide() {
        std::string s;
        while (ok_) {
            const unsigned c = Word();
            if (!c) break;
            s += c < 0x80 ? (char)c : '?';
        }
        return s;
    }
    // 0: nothing; 0xFFFF then an ordinal; else a wide string.
    std::string NameOrOrdinal(const char *const *atoms) {
        const unsigned first = Word(at_);
        if (first == 0) {
            Word();
            return "";
        }
        if (first == 0xFFFF) {
            Word();
            const unsigned ordinal = Word();
            if (atoms && ordinal >= 0x80 && ordinal <= 0x85) return atoms[ordinal - 0x80];
            return "#" + std::to_string(ordinal);
        }
        return Wide();
    }
    const BYTE *p_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module = LoadLibraryExA(LOCAVIST_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(module); }
    void SetUp() override { ASSERT_NE(nullptr, module) << "cannot load " << LOCAVIST_EXE; }

    static std::vector<BYTE> Resource(UINT id, LPCSTR type) {
        HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (!r) return {};
        const BYTE *p = static_cast<const BYTE *>(LockResource(LoadResource(module, r)));
        return std::vector<BYTE>(p, p + SizeofResource(module, r));
    }
    static Template Dialog(UINT id) {
        const std::vector<BYTE> bytes = Resource(id, (LPCSTR)RT_DIALOG);
        EXPECT_FALSE(bytes.empty()) << "no dialog " << id;
        TemplateReader reader(bytes.data(), bytes.size());
        Template t = reader.Read();
        EXPECT_TRUE(reader.ok()) << "dialog " << id << " runs past its resource";
        return t;
    }
    static HMODULE module;
};
HMODULE ResourcesTest::module = nullptr;

// One row of a control table: what the template must say.
struct Want {
    int id;
    const char *cls, *text;
    DWORD style;   // the bits that matter; for buttons, the whole button type too
    DWORD exStyle;
    int x, y, cx, cy;
};

void ExpectItems(const Template &t, const std::vector<Want> &want) {
    ASSERT_EQ(want.size(), t.items.size());
    for (size_t i = 0; i < want.size(); i++) {
        const Item &got = t.items[i];
        const Want &w = want[i];
        SCOPED_TRACE(testing::Message() << "control " << i << " (" << w.id << " \"" << w.text << "\")");
        EXPECT_EQ(w.id, got.id);
        EXPECT_STRCASEEQ(w.cls, got.cls.c_str());
        EXPECT_EQ(w.text, got.text);
        EXPECT_EQ(w.style, got.style & w.style) << std::hex << "style 0x" << got.style;
        EXPECT_EQ(DWORD(WS_CHILD | WS_VISIBLE), got.style & (WS_CHILD | WS_VISIBLE | WS_DISABLED));
        if (!strcmp(w.cls, "BUTTON")) {
            EXPECT_EQ(w.style & 0xF, got.style & 0xF) << "button type";
        }
        EXPECT_EQ(w.exStyle, got.exStyle);
        EXPECT_EQ((std::vector<int>{w.x, w.y, w.cx, w.cy}), (std::vector<int>{got.x, got.y, got.cx, got.cy}));
    }
}

const DWORD kModalPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
const DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;
const DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
const DWORD kDropList = CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP;

TEST_F(ResourcesTest, AboutBoxTemplate100) {
    const Template t = Dialog(IDD_ABOUTBOX);
    EXPECT_EQ(kModalPopup, t.style) << std::hex << t.style;
    EXPECT_EQ(0u, t.style & WS_VISIBLE);
    EXPECT_EQ((std::vector<int>{201, 59}), (std::vector<int>{t.cx, t.cy}));
    EXPECT_EQ("Tarvik Locavist", t.title);
    EXPECT_EQ("Arial", t.font);
    EXPECT_EQ(9, t.pointSize);
    ExpectItems(t, {
                       {-1, "STATIC", "#128", SS_ICON, 0, 9, 18, 20, 20},
                       {-1, "STATIC", "Orlenda Storvane", SS_NOPREFIX | WS_GROUP, 0, 33, 12, 84, 8},
                       {-1, "STATIC", "Copyright (C) 1999-2026 Orlenda. All rights reserved.", WS_GROUP, 0, 32, 24,
                        147, 8},
                       {IDOK, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, 144, 36, 50, 14},
                       {-1, "STATIC", "Version : 1.4.0.0", WS_GROUP, 0, 33, 36, 51, 8},
                   });
}

TEST_F(ResourcesTest, MainDialogTemplate102) {
    const Template t = Dialog(IDD_SEARCH_DIALOG);
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(kModalPopup | WS_MINIMIZEBOX, t.style) << std::hex << t.style;
    EXPECT_EQ(DWORD(WS_EX_APPWINDOW), t.exStyle);
    EXPECT_EQ((std::vector<int>{0, 0, 281, 231}), (std::vector<int>{t.x, t.y, t.cx, t.cy}));
    EXPECT_EQ("Tarvik Locavist", t.title);
    EXPECT_EQ("", t.menu);
    EXPECT_EQ("Arial", t.font);
    EXPECT_EQ((std::vector<int>{8, 400, 0, DEFAULT_CHARSET}),
              (std::vector<int>{t.pointSize, t.weight, t.italic, t.charset}));
    ExpectItems(t, {
                       {1000, "SysListView32", "List1", kListStyle, 0, 8, 13, 216, 53},
                       {1002, "BUTTON", "Refresh", kPush, 0, 228, 32, 45, 14},
                       {1008, "BUTTON", "Configuration", kPush, 0, 228, 51, 45, 14},
                       {1006, "SysIPAddress32", "IPAddress1", WS_TABSTOP, 0, 55, 83, 100, 13},
                       {1010, "SysIPAddress32", "IPAddress1", WS_TABSTOP, 0, 55, 101, 100, 13},
                       {1011, "SysIPAddress32", "IPAddress2", WS_TABSTOP, 0, 55, 120, 100, 13},
                       {1007, "BUTTON", "Apply", kPush, 0, 222, 114, 50, 14},
                       {1001, "SysListView32", "List2", kListStyle, 0, 8, 152, 164, 51},
                       {1003, "BUTTON", "Connect", kPush, 0, 182, 187, 43, 14},
                       {1004, "BUTTON", "Disconnect", kPush, 0, 230, 187, 43, 14},
                       {1009, "BUTTON", "Exit", kPush, 0, 234, 213, 43, 15},
                       {-1, "BUTTON", "Adapter", BS_GROUPBOX, 0, 3, 2, 275, 70},
                       {-1, "BUTTON", "LAN", BS_GROUPBOX, 0, 3, 74, 275, 64},
                       {-1, "STATIC", "I P :", SS_LEFT | WS_GROUP, 0, 13, 87, 14, 8},
                       {-1, "STATIC", "Netmask :", SS_LEFT | WS_GROUP, 0, 13, 105, 32, 8},
                       {-1, "STATIC", "Gateway :", SS_LEFT | WS_GROUP, 0, 13, 123, 38, 8},
                       {-1, "BUTTON", "Link Info", BS_GROUPBOX, 0, 3, 141, 275, 68},
                       {1013, "COMBOBOX", "", kDropList, WS_EX_DLGMODALFRAME, 181, 162, 91, 110},
                       {1015, "COMBOBOX", "", kDropList, 0, 213, 85, 59, 49},
                       {-1, "STATIC", "DHCP Client :", SS_LEFT | WS_GROUP, 0, 170, 87, 42, 8},
                       {-1, "STATIC", "Network Drive :", SS_LEFT | WS_GROUP, 0, 182, 151, 51, 8},
                       {1021, "BUTTON", "About", kPush, 0, 4, 213, 45, 15},
                   });
    for (const Item &it : t.items) {
        if (it.cls == "BUTTON") {
            EXPECT_NE(DWORD(BS_DEFPUSHBUTTON), it.style & 0xF) << it.text << " is no default button";
        }
        if (it.cls == "COMBOBOX") {
            EXPECT_EQ(DWORD(CBS_DROPDOWNLIST), it.style & 3) << "control " << it.id;
        }
    }
}

TEST_F(ResourcesTest, LoginDialogTemplate134) {
    const Template t = Dialog(IDD_LOGIN);
    EXPECT_EQ(kModalPopup, t.style) << std::hex << t.style;
    EXPECT_EQ((std::vector<int>{199, 75}), (std::vector<int>{t.cx, t.cy}));
    EXPECT_EQ("Login", t.title);
    EXPECT_EQ("Arial", t.font);
    EXPECT_EQ(8, t.pointSize);
    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    ExpectItems(t, {
                       {-1, "STATIC", "User name :", 0, 0, 13, 21, 41, 8},
                       {1016, "EDIT", "", edit, 0, 60, 18, 69, 14},
                       {-1, "STATIC", "Password :", 0, 0, 13, 42, 37, 8},
                       {1017, "EDIT", "", edit | ES_PASSWORD, 0, 60, 39, 68, 14},
                       {IDOK, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 135, 21, 50, 14},
                       {IDCANCEL, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, 135, 38, 50, 14},
                   });
    EXPECT_EQ(0u, t.items[1].style & ES_PASSWORD) << "the user name is shown";
}

TEST_F(ResourcesTest, InitialisationDataOf102AddsDisabledThenEnabled) {
    const std::vector<BYTE> data = Resource(IDD_SEARCH_DIALOG, MAKEINTRESOURCEA(RT_DLGINIT_DATA));
    const BYTE want[] = {0xF7, 0x03, 0x03, 0x04, 9, 0, 0, 0, 'D', 'i', 's', 'a', 'b', 'l', 'e', 'd', 0,
                         0xF7, 0x03, 0x03, 0x04, 8, 0, 0, 0, 'E', 'n', 'a', 'b', 'l', 'e', 'd', 0,
                         0,    0};
    ASSERT_GE(data.size(), sizeof want);
    EXPECT_EQ(std::vector<BYTE>(want, want + sizeof want), std::vector<BYTE>(data.begin(), data.begin() + sizeof want));
}

TEST_F(ResourcesTest, IconIs32By32With256Colours) {
    const std::vector<BYTE> group = Resource(IDR_MAINFRAME, (LPCSTR)RT_GROUP_ICON);
    ASSERT_EQ(6u + 14u, group.size()) << "one image";
    EXPECT_EQ(1, group[4] | group[5] << 8);
    const BYTE *entry = group.data() + 6;
    EXPECT_EQ(32, entry[0]);
    EXPECT_EQ(32, entry[1]);
    EXPECT_EQ(8, entry[6] | entry[7] << 8) << "bits per pixel";
}

TEST_F(ResourcesTest, SystemMenuString101) {
    char text[64] = {};
    LoadStringA(module, IDS_ABOUTBOX, text, sizeof text);
    EXPECT_STREQ("About Storvane(&A)...", text);
}

TEST_F(ResourcesTest, VersionResource) {
    DWORD ignored;
    const DWORD size = GetFileVersionInfoSizeA(LOCAVIST_EXE, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(LOCAVIST_EXE, 0, size, info.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", (void **)&fixed, &length));
    EXPECT_EQ((std::vector<DWORD>{0x00010004, 0, 0x00010004, 0}),
              (std::vector<DWORD>{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                  fixed->dwProductVersionLS}));
    const struct {
        const char *name, *value;
    } texts[] = {{"CompanyName", "Orlenda"},      {"FileDescription", "Storvane"}, {"InternalName", "Storvane"},
                 {"ProductName", "Storvane"},     {"FileVersion", "1, 4, 0, 0"},  {"ProductVersion", "1, 4, 0, 0"},
                 {"OriginalFilename", ""}};
    for (const auto &t : texts) {
        char *value = nullptr;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + t.name;
        ASSERT_TRUE(VerQueryValueA(info.data(), path.c_str(), (void **)&value, &length)) << t.name;
        EXPECT_STREQ(t.value, value) << t.name;
    }
}

}  // namespace
