// CSearchDlg, the program's one window: the adapters on the LAN, the
// selected adapter's LAN settings, and its shared folders with the drive
// letters connected to them.
#ifndef APP_SEARCH_DLG_H
#define APP_SEARCH_DLG_H

#include "framework/framework.h"

// The system-menu command of the About box; 0x10 to 0x1F all open it.
const UINT IDM_ABOUTBOX = 0x0010;

class CSearchDlg : public CDialog {
public:
    explicit CSearchDlg(CWnd *pParent = nullptr);
    ~CSearchDlg() override;

    // Empties both lists and the address fields, runs a discovery sweep with
    // Refresh disabled, and lists the adapters that answered.
    void RefreshAdapterList();

    // The selected row of the adapter list, looked for from row `from` --
    // callers pass the top index, the first visible row -- down, asking the
    // row count afresh at each step: a selected row scrolled out of view
    // above counts as none.  -1 for none.
    int SelectedAdapterRow(int from) const;

    CButton m_btnConfig;
    CButton m_btnDisconnect;
    CButton m_btnConnect;
    CComboBox m_comboDhcp;
    CComboBox m_comboDrive;
    CListCtrl m_listLink;
    CListCtrl m_listAdapter;
    CButton m_btnRefresh;
    CIPAddressCtrl m_ipAddress;
    CIPAddressCtrl m_ipNetmask;
    CIPAddressCtrl m_ipGateway;
    int m_bAdapterSelected;
    HICON m_hIcon;

    DECLARE_MESSAGE_MAP()
protected:
    void DoDataExchange(CDataExchange *pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnExit();
    void OnClickAdapterList(NMHDR *pNMHDR, LRESULT *pResult);
    void OnApply();
    void OnConfiguration();
    void OnClose();
    void OnConnect();
    void OnDisconnect();
    void OnSelchangeComboDhcp();
    void OnAbout();
};

#endif
