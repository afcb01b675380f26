#include "app/search_app.h"

#include "app/search_dlg.h"
#include "protocol/endpoint.h"
#include "res/resource.h"

CSearchApp theApp;

BEGIN_MESSAGE_MAP(CSearchApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CSearchApp::CSearchApp() {}

CSearchApp::~CSearchApp() {}

BOOL CSearchApp::InitInstance() {
    AfxEnableControlContainer();
    InitNetwork();   // before any window; ends the process with status 1 when WinSock cannot start
    Enable3dControlsStatic();
    CSearchDlg dlg;
    m_pMainWnd = &dlg;
    SetDialogBkColor(DIALOG_BACKGROUND, DIALOG_TEXT);
    dlg.DoModal();
    return FALSE;
}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg() {}

void CAboutDlg::DoDataExchange(CDataExchange *pDX) { CDialog::DoDataExchange(pDX); }
