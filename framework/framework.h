// The dialog framework: a thin layer over raw Win32 for a program that is
// one modal dialog with nested modal boxes.
//
// How it works:
//  - CWinApp is the one application object.  The process entry (WinMain in
//    winmain.cpp) hands it the instance and calls InitInstance; when that
//    returns FALSE the process ends.
//  - CWnd is a thin value type over an HWND.  The control classes (CButton,
//    CComboBox, CEdit, CListCtrl, CIPAddressCtrl) add one SendMessage per
//    method and are bound to a dialog's controls with DDX_Control.
//  - CDialog runs a template modally with a message loop of its own.  Its
//    dialog procedure finds the CDialog of a window by a window property,
//    set on the first message the new window gets (the one object waiting
//    to be created claims it), so no message is lost before WM_INITDIALOG.
//  - Message maps are static tables built by the BEGIN_MESSAGE_MAP macros:
//    each entry matches a message (and for WM_COMMAND and WM_NOTIFY a
//    notification code and control id) and calls the handler through a
//    small thunk.  A dialog's unhandled commands go on to the application's
//    map.
//  - SetDialogBkColor colours every dialog and every message box of the
//    program: the background and static texts and group-box titles; edit
//    fields, lists, combo boxes and buttons keep the system colours.
//
// Who owns what: dialog objects are the caller's (usually locals of a
// handler); the framework never deletes them.  A CWnd does not own its HWND:
// the dialog's window is destroyed when DoModal ends, controls with their
// dialog.
#ifndef FRAMEWORK_FRAMEWORK_H
#define FRAMEWORK_FRAMEWORK_H

#include <windows.h>
#include <commctrl.h>

#include <assert.h>

#include "framework/cstring.h"

class CCmdTarget;
class CWnd;
class CDialog;
class CWinApp;

// --- message maps ---

typedef bool (*MsgThunk)(CCmdTarget *target, WPARAM wParam, LPARAM lParam, LRESULT *result);

struct MsgMapEntry {
    UINT message;   // 0 ends the table
    UINT code;      // notification code, for WM_COMMAND and WM_NOTIFY
    UINT id;        // control or command id, for WM_COMMAND and WM_NOTIFY
    MsgThunk thunk;
};

struct MsgMap {
    const MsgMap *(*base)();   // nullptr at the root
    const MsgMapEntry *entries;
};

#define DECLARE_MESSAGE_MAP()                                                                                         \
public:                                                                                                               \
    static const MsgMap *GetThisMessageMap();                                                                         \
    const MsgMap *GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                        \
    const MsgMap *theClass::GetMessageMap() const { return GetThisMessageMap(); }                                     \
    const MsgMap *theClass::GetThisMessageMap() {                                                                     \
        typedef theClass ThisClass;                                                                                   \
        typedef baseClass TheBaseClass;                                                                               \
        static_assert(sizeof(ThisClass) > 0, "a complete class");                                                     \
        static const MsgMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                                                             \
    {0, 0, 0, nullptr}                                                                                                \
    }                                                                                                                 \
    ;                                                                                                                 \
    static const MsgMap map = {&TheBaseClass::GetThisMessageMap, entries};                                            \
    return &map;                                                                                                      \
    }

#define AFX_THUNK(call) [](CCmdTarget *t, WPARAM wParam, LPARAM lParam, LRESULT *result) -> bool { \
    (void)wParam; (void)lParam; (void)result; ThisClass *self = static_cast<ThisClass *>(t); call; return true; }

#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, AFX_THUNK(self->OnSysCommand((UINT)wParam, lParam))},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, AFX_THUNK(self->OnPaint())},
#define ON_WM_QUERYDRAGICON() {WM_QUERYDRAGICON, 0, 0, AFX_THUNK(*result = (LRESULT)self->OnQueryDragIcon())},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, AFX_THUNK(self->OnClose())},
#define ON_COMMAND(id, handler) {WM_COMMAND, 0, (UINT)(id), AFX_THUNK(self->handler())},
#define ON_BN_CLICKED(id, handler) {WM_COMMAND, BN_CLICKED, (UINT)(id), AFX_THUNK(self->handler())},
#define ON_CBN_SELCHANGE(id, handler) {WM_COMMAND, CBN_SELCHANGE, (UINT)(id), AFX_THUNK(self->handler())},
#define ON_NOTIFY(code, id, handler) \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), AFX_THUNK(self->handler(reinterpret_cast<NMHDR *>(lParam), result))},

// The root of everything that has a message map.
class CCmdTarget {
public:
    virtual ~CCmdTarget() {}
    static const MsgMap *GetThisMessageMap();
    virtual const MsgMap *GetMessageMap() const;
    // Finds the entry for a message in this object's map chain and calls its
    // handler.  True when one was found.
    bool DispatchMapped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);
};

// --- the application ---

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char *appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }

    // Colours of every dialog and message box from now on.
    void SetDialogBkColor(COLORREF background = RGB(192, 192, 192), COLORREF text = RGB(0, 0, 0));
    // The three-dimensional look needs no library of its own since Windows
    // 95: the system draws it.  Kept for the application's start-up steps.
    BOOL Enable3dControlsStatic() { return TRUE; }
    HICON LoadIcon(UINT id) const;

    void OnHelp();   // the program ships no help file: the command does nothing

    const char *m_pszAppName;   // by default the program file's name without its extension
    HINSTANCE m_hInstance;
    CWnd *m_pMainWnd;

    DECLARE_MESSAGE_MAP()
private:
    char appName_[MAX_PATH];
};

// The framework's help command.
const UINT ID_HELP = 0xE146;

CWinApp *AfxGetApp();
HINSTANCE AfxGetResourceHandle();
// The program uses no OLE controls; kept for the application's start-up steps.
inline void AfxEnableControlContainer() {}
// The framework's process entry, called by WinMain.
int AfxWinMain(HINSTANCE instance, LPSTR commandLine, int show);

// The dialog colours set by SetDialogBkColor, or false when none are set.
bool AfxDialogColors(HBRUSH *background, COLORREF *backgroundColor, COLORREF *text);

// --- windows ---

class CMenu {
public:
    CMenu() : m_hMenu(nullptr) {}
    explicit CMenu(HMENU menu) : m_hMenu(menu) {}
    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char *text = nullptr) {
        assert(m_hMenu);
        return ::AppendMenuA(m_hMenu, flags, id, text);
    }
    HMENU m_hMenu;
};

class CWnd : public CCmdTarget {
public:
    CWnd() : m_hWnd(nullptr) {}
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}

    HWND GetSafeHwnd() const { return m_hWnd; }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        assert(::IsWindow(m_hWnd));
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL ShowWindow(int show) { return ::ShowWindow(m_hWnd, show); }
    void GetClientRect(RECT *rect) const { ::GetClientRect(m_hWnd, rect); }
    void SetWindowText(const char *text) { ::SetWindowTextA(m_hWnd, text); }
    void GetWindowText(CString &text) const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HICON SetIcon(HICON icon, BOOL big) {
        return (HICON)SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, (LPARAM)icon);
    }
    CMenu GetSystemMenu(BOOL revert) const { return CMenu(::GetSystemMenu(m_hWnd, revert)); }
    BOOL DestroyWindow();
    // A message box owned by this window; the caption defaults to the
    // application's name.
    int MessageBox(const char *text, const char *caption = nullptr, UINT type = MB_OK);

    HWND m_hWnd;
};

class CButton : public CWnd {};

class CEdit : public CWnd {
public:
    void SetLimitText(UINT max) { SendMessage(EM_LIMITTEXT, max); }
    UINT GetLimitText() const { return (UINT)SendMessage(EM_GETLIMITTEXT); }
};

class CComboBox : public CWnd {
public:
    int AddString(const char *text) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)text); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)index); }
    int GetLBTextLen(int index) const { return (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)index); }
    void GetLBText(int index, CString &text) const;
};

class CListCtrl : public CWnd {
public:
    // Sets the extended style with an empty mask: every other extended style
    // is cleared.
    DWORD SetExtendedStyle(DWORD style) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    int InsertColumn(int column, const char *heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    int GetColumnWidth(int column) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)column); }
    int InsertItem(int item, const char *text);
    int InsertItem(const LVITEMA *item) { return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)item); }
    BOOL SetItemText(int item, int subItem, const char *text);
    CString GetItemText(int item, int subItem) const;
    BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
    UINT GetItemState(int item, UINT mask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)item, mask); }
    BOOL SetItemState(int item, UINT state, UINT mask);
    BOOL EnsureVisible(int item, BOOL partialOk) {
        return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)item, partialOk);
    }
};

class CIPAddressCtrl : public CWnd {
public:
    void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
    BOOL IsBlank() const { return (BOOL)SendMessage(IPM_ISBLANK); }
    // The number of fields that are not blank; blank fields read as 0.
    int GetAddress(BYTE &f0, BYTE &f1, BYTE &f2, BYTE &f3) const;
    void SetAddress(BYTE f0, BYTE f1, BYTE f2, BYTE f3) {
        SendMessage(IPM_SETADDRESS, 0, (LPARAM)MAKEIPADDRESS(f0, f1, f2, f3));
    }
};

class CPaintDC {
public:
    explicit CPaintDC(CWnd *wnd) : hwnd_(wnd->m_hWnd) { m_hDC = ::BeginPaint(hwnd_, &m_ps); }
    ~CPaintDC() { ::EndPaint(hwnd_, &m_ps); }
    CPaintDC(const CPaintDC &) = delete;
    CPaintDC &operator=(const CPaintDC &) = delete;
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    HDC m_hDC;
    PAINTSTRUCT m_ps;

private:
    HWND hwnd_;
};

// --- dialogs and data exchange ---

class CDataExchange {
public:
    CDataExchange(CDialog *dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate), m_bFailed(false), lastControl_(nullptr) {}
    // The control of this id, noted as the one a later failure points at.
    HWND PrepareCtrl(int id);
    HWND LastControl() const { return lastControl_; }
    // A validation failed: the focus goes to the last prepared control, and
    // the rest of the exchange is skipped.
    void Fail();

    CDialog *m_pDlgWnd;
    BOOL m_bSaveAndValidate;   // TRUE: controls into members; FALSE: members into controls
    bool m_bFailed;

private:
    HWND lastControl_;
};

void DDX_Control(CDataExchange *pDX, int id, CWnd &control);
void DDX_Text(CDataExchange *pDX, int id, CString &value);
// Reading back, a text longer than count characters is refused with a
// message; filling the control, its typing is limited to count characters.
void DDV_MaxChars(CDataExchange *pDX, const CString &value, int count);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd *parent = nullptr);
    ~CDialog() override;

    // Creates the dialog from its template, runs it until EndDialog, the
    // destruction of its window or WM_QUIT, and returns the EndDialog value
    // (-1 when it was not ended by EndDialog).  The owner is disabled
    // meanwhile.  The window is shown when the loop first finds no message.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Default processing of the message being handled: the dialog manager's
    // own handling, done when the handler returns.
    void Default() { wantDefault_ = true; }

    UINT m_nIDTemplate;
    CWnd *m_pParentWnd;

    DECLARE_MESSAGE_MAP()
protected:
    virtual void DoDataExchange(CDataExchange *) {}
    // Fills the combo boxes from the template's initialisation data, then
    // binds and fills the controls (UpdateData(FALSE)).
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void ExecuteDlgInit();
    void RunModalLoop();

    bool modal_;
    bool wantDefault_;
    INT_PTR result_;
};

#endif
