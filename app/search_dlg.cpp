#include "app/search_dlg.h"

#include "app/search_app.h"
#include "drives/drive_table.h"
#include "drives/link_list.h"
#include "protocol/endpoint.h"
#include "protocol/registry.h"
#include "protocol/search.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CSearchDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_BTN_EXIT, OnExit)
ON_NOTIFY(NM_CLICK, IDC_LIST_ADAPTER, OnClickAdapterList)
ON_BN_CLICKED(IDC_BTN_APPLY, OnApply)
ON_BN_CLICKED(IDC_BTN_CONFIG, OnConfiguration)
ON_WM_CLOSE()
ON_BN_CLICKED(IDC_BTN_REFRESH, RefreshAdapterList)
ON_BN_CLICKED(IDC_BTN_CONNECT, OnConnect)
ON_BN_CLICKED(IDC_BTN_DISCONNECT, OnDisconnect)
ON_CBN_SELCHANGE(IDC_COMBO_DHCP, OnSelchangeComboDhcp)
ON_BN_CLICKED(IDC_BTN_ABOUT, OnAbout)
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg(CWnd *pParent) : CDialog(IDD_SEARCH_DIALOG, pParent), m_bAdapterSelected(0) {
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CSearchDlg::~CSearchDlg() {}

void CSearchDlg::DoDataExchange(CDataExchange *pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BTN_CONFIG, m_btnConfig);
    DDX_Control(pDX, IDC_BTN_DISCONNECT, m_btnDisconnect);
    DDX_Control(pDX, IDC_BTN_CONNECT, m_btnConnect);
    DDX_Control(pDX, IDC_COMBO_DHCP, m_comboDhcp);
    DDX_Control(pDX, IDC_COMBO_DRIVE, m_comboDrive);
    DDX_Control(pDX, IDC_LIST_LINK, m_listLink);
    DDX_Control(pDX, IDC_LIST_ADAPTER, m_listAdapter);
    DDX_Control(pDX, IDC_BTN_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_IP_ADDRESS, m_ipAddress);
    DDX_Control(pDX, IDC_IP_NETMASK, m_ipNetmask);
    DDX_Control(pDX, IDC_IP_GATEWAY, m_ipGateway);
}

BOOL CSearchDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    CMenu sysMenu = GetSystemMenu(FALSE);
    if (sysMenu.m_hMenu) {
        CString about;
        about.LoadString(IDS_ABOUTBOX);
        if (!about.IsEmpty()) {
            sysMenu.AppendMenu(MF_SEPARATOR);
            sysMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_listAdapter.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_listAdapter.InsertColumn(0, "Name", LVCFMT_LEFT, 94, 0);
    m_listAdapter.InsertColumn(1, "IP", LVCFMT_LEFT, 81, 1);
    m_listAdapter.InsertColumn(2, "Netmask", LVCFMT_LEFT, 81, 2);
    m_listAdapter.InsertColumn(3, "Gateway", LVCFMT_LEFT, 81, 3);
    m_listLink.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_listLink.InsertColumn(0, "Link Name", LVCFMT_LEFT, 120, 0);
    m_listLink.InsertColumn(1, "Location", LVCFMT_LEFT, 100, 1);

    ScanMappedDrives();
    FillDriveCombo(m_comboDrive);
    RefreshAdapterList();   // the window shows only after this first sweep
    m_bAdapterSelected = 0;
    return TRUE;
}

void CSearchDlg::RefreshAdapterList() {
    m_listAdapter.DeleteAllItems();
    m_listLink.DeleteAllItems();
    m_ipAddress.ClearAddress();
    m_ipNetmask.ClearAddress();
    m_ipGateway.ClearAddress();
    m_btnRefresh.EnableWindow(FALSE);
    SearchAdapters();
    m_btnRefresh.EnableWindow(TRUE);
    int row = 0;
    for (const AdapterNode *node = AdapterList.head; node; node = node->next, row++) {
        m_listAdapter.InsertItem(row, "");
        m_listAdapter.SetItemText(row, 0, node->name);
        m_listAdapter.SetItemText(row, 1, node->ipText);
        m_listAdapter.SetItemText(row, 2, node->netmaskText);
        m_listAdapter.SetItemText(row, 3, node->gatewayText);
    }
    m_bAdapterSelected = 0;
}

void CSearchDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
    } else {
        Default();
    }
}

int CSearchDlg::SelectedAdapterRow(int from) const {
    for (int row = from; row < m_listAdapter.GetItemCount(); row++)
        if (m_listAdapter.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) return row;
    return -1;
}

// Every paint rescans the drive connections, so the chooser and the link
// list follow connections made or cancelled elsewhere.
void CSearchDlg::OnPaint() {
    const int top = m_listAdapter.GetTopIndex();
    ScanMappedDrives();
    FillDriveCombo(m_comboDrive);
    const int row = SelectedAdapterRow(top);
    if (row >= 0) FillLinkList(m_listLink, m_listAdapter.GetItemText(row, 0), m_listAdapter.GetItemText(row, 1), false);
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        RECT rect;
        GetClientRect(&rect);
        const int x = (rect.right - rect.left - cxIcon + 1) / 2;
        const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        Default();
    }
}

HCURSOR CSearchDlg::OnQueryDragIcon() { return (HCURSOR)m_hIcon; }

void CSearchDlg::OnExit() {
    CloseNetwork();
    DestroyWindow();
}

void CSearchDlg::OnClose() {
    CloseNetwork();
    Default();
}

void CSearchDlg::OnAbout() {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

// Routed here; their work comes with adapter selection, the LAN settings
// and the drive connections.
void CSearchDlg::OnClickAdapterList(NMHDR *, LRESULT *pResult) { *pResult = 0; }
void CSearchDlg::OnApply() {}
void CSearchDlg::OnConfiguration() {}
void CSearchDlg::OnConnect() {}
void CSearchDlg::OnDisconnect() {}
void CSearchDlg::OnSelchangeComboDhcp() {}
