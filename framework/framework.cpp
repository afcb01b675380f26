#include "framework/framework.h"

#include <string.h>

#include <string>
#include <vector>

#include "platform/ui.h"

// --- message maps ---

const MsgMap *CCmdTarget::GetThisMessageMap() {
    static const MsgMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const MsgMap map = {nullptr, entries};
    return &map;
}

const MsgMap *CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

bool CCmdTarget::DispatchMapped(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) {
    UINT code = 0, id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
        code = header->code;
        id = (UINT)header->idFrom;
    }
    for (const MsgMap *map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MsgMapEntry *e = map->entries; e->message; e++) {
            if (e->message != message) continue;
            if ((message == WM_COMMAND || message == WM_NOTIFY) && (e->code != code || e->id != id)) continue;
            return e->thunk(this, wParam, lParam, result);
        }
    }
    return false;
}

// --- the application ---

namespace {

CWinApp *g_app = nullptr;

struct DialogColors {
    bool set = false;
    COLORREF background = 0;
    COLORREF text = 0;
    HBRUSH brush = nullptr;
} g_colors;

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char *appName) : m_pszAppName(appName), m_hInstance(nullptr), m_pMainWnd(nullptr) {
    assert(!g_app && "one application object per process");
    g_app = this;
    if (!m_pszAppName) {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        const char *base = strrchr(path, '\\');
        base = base ? base + 1 : path;
        lstrcpynA(appName_, base, MAX_PATH);
        if (char *dot = strrchr(appName_, '.')) *dot = 0;
        m_pszAppName = appName_;
    }
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text) {
    if (g_colors.brush) ::DeleteObject(g_colors.brush);
    g_colors.brush = ::CreateSolidBrush(background);
    g_colors.background = background;
    g_colors.text = text;
    g_colors.set = true;
}

HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)); }

void CWinApp::OnHelp() {}

CWinApp *AfxGetApp() { return g_app; }

HINSTANCE AfxGetResourceHandle() {
    return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

bool AfxDialogColors(HBRUSH *brush, COLORREF *background, COLORREF *text) {
    if (!g_colors.set) return false;
    *brush = g_colors.brush;
    *background = g_colors.background;
    *text = g_colors.text;
    return true;
}

namespace {

void EnsureCommonControls() {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES};
    ::InitCommonControlsEx(&icc);
    done = true;
}

bool IsClass(HWND hwnd, const char *name) {
    char cls[32] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpiA(cls, name) == 0;
}

// The colour answer to a WM_CTLCOLOR* message of a dialog or message box:
// the brush, or 0 to leave the message to the system (also for any other
// message).  Disabled and
// read-only edit fields ask with WM_CTLCOLORSTATIC too; they keep the
// system colours.
INT_PTR ColorAnswer(UINT message, WPARAM wParam, LPARAM lParam) {
    HBRUSH brush;
    COLORREF background, text;
    if (!AfxDialogColors(&brush, &background, &text)) return 0;
    if (message == WM_CTLCOLORDLG || message == WM_CTLCOLORMSGBOX) return (INT_PTR)brush;
    if (message != WM_CTLCOLORSTATIC || IsClass((HWND)lParam, "Edit")) return 0;
    HDC dc = (HDC)wParam;
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, background);
    return (INT_PTR)brush;
}

// Message boxes are the system's own dialogs.  To colour them, a CBT hook
// that lives while one is shown subclasses each dialog window as it is
// created, and the subclass answers the colour messages.
const char kOldProc[] = "LocavistOldProc";
HHOOK g_boxHook = nullptr;
int g_boxDepth = 0;

LRESULT CALLBACK ColoredBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC old = (WNDPROC)::GetPropA(hwnd, kOldProc);
    if (const INT_PTR brush = ColorAnswer(message, wParam, lParam)) return brush;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, (LONG_PTR)old);
        ::RemovePropA(hwnd, kOldProc);
    }
    return ::CallWindowProcA(old, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK BoxCreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CBT_CREATEWNDA *create = reinterpret_cast<const CBT_CREATEWNDA *>(lParam);
        const char *cls = create->lpcs->lpszClass;
        const bool dialogClass = IS_INTRESOURCE(cls) ? (UINT_PTR)cls == 32770 : lstrcmpA(cls, "#32770") == 0;
        HWND hwnd = (HWND)wParam;
        if (dialogClass && !::GetPropA(hwnd, kOldProc)) {
            ::SetPropA(hwnd, kOldProc, (HANDLE)::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, (LONG_PTR)ColoredBoxProc);
        }
    }
    return ::CallNextHookEx(g_boxHook, code, wParam, lParam);
}

}  // namespace

int AfxWinMain(HINSTANCE instance, LPSTR, int) {
    CWinApp *app = AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = instance;
    EnsureCommonControls();
    if (!app->InitInstance()) return app->ExitInstance();
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return app->ExitInstance();
}

// --- windows ---

void CWnd::GetWindowText(CString &text) const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer((size_t)length + 1, 0);
    ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    text = buffer.data();
}

BOOL CWnd::DestroyWindow() {
    HWND hwnd = m_hWnd;
    const BOOL done = ::DestroyWindow(hwnd);
    if (done && m_hWnd == hwnd) m_hWnd = nullptr;
    return done;
}

int CWnd::MessageBox(const char *text, const char *caption, UINT type) {
    if (!caption) caption = AfxGetApp() ? AfxGetApp()->m_pszAppName : "";
    HBRUSH brush;
    COLORREF background, textColor;
    const bool colored = AfxDialogColors(&brush, &background, &textColor);
    if (colored && g_boxDepth++ == 0)
        g_boxHook = ::SetWindowsHookExA(WH_CBT, BoxCreationHook, nullptr, ::GetCurrentThreadId());
    const int answer = UiMessageBox(m_hWnd, text, caption, type);
    if (colored && --g_boxDepth == 0) {
        ::UnhookWindowsHookEx(g_boxHook);
        g_boxHook = nullptr;
    }
    return answer;
}

void CComboBox::GetLBText(int index, CString &text) const {
    const int length = GetLBTextLen(index);
    if (length < 0) {
        text.Empty();
        return;
    }
    std::vector<char> buffer((size_t)length + 1, 0);
    SendMessage(CB_GETLBTEXT, (WPARAM)index, (LPARAM)buffer.data());
    text = buffer.data();
}

int CListCtrl::InsertColumn(int column, const char *heading, int format, int width, int subItem) {
    LVCOLUMNA c = {};
    c.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | (width >= 0 ? LVCF_WIDTH : 0);
    c.fmt = format;
    c.cx = width;
    c.pszText = const_cast<char *>(heading);
    c.iSubItem = subItem >= 0 ? subItem : column;
    return (int)SendMessage(LVM_INSERTCOLUMNA, (WPARAM)column, (LPARAM)&c);
}

int CListCtrl::InsertItem(int item, const char *text) {
    LVITEMA it = {};
    it.mask = LVIF_TEXT;
    it.iItem = item;
    it.pszText = const_cast<char *>(text);
    return InsertItem(&it);
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char *text) {
    LVITEMA it = {};
    it.iSubItem = subItem;
    it.pszText = const_cast<char *>(text);
    return (BOOL)SendMessage(LVM_SETITEMTEXTA, (WPARAM)item, (LPARAM)&it);
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    for (int size = 256;; size *= 4) {
        std::vector<char> buffer((size_t)size, 0);
        LVITEMA it = {};
        it.iSubItem = subItem;
        it.pszText = buffer.data();
        it.cchTextMax = size;
        const int n = (int)SendMessage(LVM_GETITEMTEXTA, (WPARAM)item, (LPARAM)&it);
        if (n < size - 1 || size >= 65536) return CString(buffer.data());
    }
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMA it = {};
    it.state = state;
    it.stateMask = mask;
    return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)&it);
}

int CIPAddressCtrl::GetAddress(BYTE &f0, BYTE &f1, BYTE &f2, BYTE &f3) const {
    DWORD address = 0;
    const int filled = (int)SendMessage(IPM_GETADDRESS, 0, (LPARAM)&address);
    f0 = (BYTE)FIRST_IPADDRESS(address);
    f1 = (BYTE)SECOND_IPADDRESS(address);
    f2 = (BYTE)THIRD_IPADDRESS(address);
    f3 = (BYTE)FOURTH_IPADDRESS(address);
    return filled;
}

// --- data exchange ---

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = m_pDlgWnd->GetDlgItem(id);
    assert(control && "no control with this id in the dialog");
    lastControl_ = control;
    return control;
}

void CDataExchange::Fail() {
    if (lastControl_) {
        ::SetFocus(lastControl_);
        ::SendMessageA(lastControl_, EM_SETSEL, 0, -1);
    }
    m_bFailed = true;
}

void DDX_Control(CDataExchange *pDX, int id, CWnd &control) {
    if (pDX->m_bFailed || control.m_hWnd) return;
    control.m_hWnd = pDX->PrepareCtrl(id);
}

void DDX_Text(CDataExchange *pDX, int id, CString &value) {
    if (pDX->m_bFailed) return;
    CWnd control(pDX->PrepareCtrl(id));
    if (pDX->m_bSaveAndValidate) {
        control.GetWindowText(value);
    } else {
        control.SetWindowText(value);
    }
}

void DDV_MaxChars(CDataExchange *pDX, const CString &value, int count) {
    if (pDX->m_bFailed) return;
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->LastControl()) ::SendMessageA(pDX->LastControl(), EM_LIMITTEXT, (WPARAM)count, 0);
        return;
    }
    if (value.GetLength() <= count) return;
    CString message;
    message.Format("Please enter no more than %d characters.", count);
    pDX->m_pDlgWnd->MessageBox(message, nullptr, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// --- dialogs ---

namespace {

const char kDialogProp[] = "LocavistDialog";
// The dialog whose window is being created: its first message claims it.
CDialog *g_creating = nullptr;

// Messages whose dialog-procedure result is the answer itself, not a flag.
bool ReturnsDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd *parent)
    : m_nIDTemplate(templateId), m_pParentWnd(parent), modal_(false), wantDefault_(false), result_(-1) {}

CDialog::~CDialog() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog *self = static_cast<CDialog *>(::GetPropA(hwnd, kDialogProp));
    if (!self) {
        if (!g_creating) return FALSE;
        self = g_creating;
        g_creating = nullptr;
        self->m_hWnd = hwnd;
        ::SetPropA(hwnd, kDialogProp, self);
    }
    return self->Handle(message, wParam, lParam);
}

INT_PTR CDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = m_hWnd;
    if (message == WM_INITDIALOG) return OnInitDialog();
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        if (const INT_PTR brush = ColorAnswer(message, wParam, lParam)) return brush;
    }
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hwnd, kDialogProp);
        m_hWnd = nullptr;
        CWinApp *app = AfxGetApp();
        // The main window going ends the program.
        if (app && app->m_pMainWnd == this) {
            app->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
        return FALSE;
    }

    const bool outerDefault = wantDefault_;
    wantDefault_ = false;
    LRESULT result = 0;
    bool handled = DispatchMapped(message, wParam, lParam, &result);
    if (!handled && message == WM_COMMAND && AfxGetApp())
        handled = AfxGetApp()->DispatchMapped(message, wParam, lParam, &result);
    const bool useDefault = wantDefault_;
    wantDefault_ = outerDefault;

    if (!handled || useDefault) return FALSE;
    if (ReturnsDirectly(message)) return (INT_PTR)result;
    ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    ExecuteDlgInit();
    UpdateData(FALSE);
    return TRUE;
}

// The template's initialisation data, a raw resource of type 240 with the
// dialog's number: entries of WORD control, WORD message, DWORD length and
// that many bytes of text, ended by a WORD 0.  The messages are numbered as
// in 16-bit Windows (CB_ADDSTRING 0x403, LB_ADDSTRING 0x401), as resource
// compilers have always written them.
void CDialog::ExecuteDlgInit() {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(240));
    if (!found) return;
    const BYTE *p = static_cast<const BYTE *>(::LockResource(::LoadResource(instance, found)));
    const DWORD size = ::SizeofResource(instance, found);
    if (!p) return;
    DWORD at = 0;
    while (at + 2 <= size) {
        WORD control, msg;
        memcpy(&control, p + at, 2);
        if (control == 0 || at + 8 > size) break;
        memcpy(&msg, p + at + 2, 2);
        DWORD length;
        memcpy(&length, p + at + 4, 4);
        at += 8;
        if (length > size - at) break;
        const std::string text(reinterpret_cast<const char *>(p + at), length);
        at += length;
        const UINT win32 = msg == 0x0403 ? CB_ADDSTRING : msg == 0x0401 ? LB_ADDSTRING : 0;
        if (win32) ::SendDlgItemMessageA(m_hWnd, control, win32, 0, (LPARAM)text.c_str());
    }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
    result_ = result;
    modal_ = false;
    if (m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);   // wake the loop
}

INT_PTR CDialog::DoModal() {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(m_nIDTemplate), (LPCSTR)RT_DIALOG);
    if (!found) return -1;
    const DLGTEMPLATE *tmpl = static_cast<const DLGTEMPLATE *>(::LockResource(::LoadResource(instance, found)));
    if (!tmpl) return -1;
    EnsureCommonControls();

    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    CWinApp *app = AfxGetApp();
    if (!owner && app && app->m_pMainWnd && app->m_pMainWnd != this) owner = app->m_pMainWnd->m_hWnd;
    const bool reenable = owner && ::IsWindowEnabled(owner);
    if (reenable) ::EnableWindow(owner, FALSE);

    result_ = -1;
    modal_ = true;
    g_creating = this;
    HWND hwnd = ::CreateDialogIndirectParamA(instance, tmpl, owner, DialogProc, 0);
    g_creating = nullptr;
    if (hwnd && modal_) RunModalLoop();
    modal_ = false;

    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (reenable) ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    return result_;
}

void CDialog::RunModalLoop() {
    HWND hwnd = m_hWnd;
    bool shown = (::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    MSG msg;
    while (modal_ && ::IsWindow(hwnd)) {
        if (!shown && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::ShowWindow(hwnd, SW_SHOWNORMAL);
            ::UpdateWindow(hwnd);
            shown = true;
            continue;
        }
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage((int)msg.wParam);   // for the loops outside this one
            break;
        }
        if (got < 0) break;
        if (!::IsDialogMessageA(hwnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}
