// The application object and the About box.
#ifndef APP_SEARCH_APP_H
#define APP_SEARCH_APP_H

#include "framework/framework.h"

class CSearchApp : public CWinApp {
public:
    CSearchApp();
    ~CSearchApp() override;
    // Brings the protocol endpoint up, then runs the main dialog; always FALSE.
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CSearchApp theApp;

// The background of every dialog and message box, and their label colour.
const COLORREF DIALOG_BACKGROUND = RGB(0, 98, 147);
const COLORREF DIALOG_TEXT = RGB(255, 255, 255);

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

    DECLARE_MESSAGE_MAP()
protected:
    void DoDataExchange(CDataExchange *pDX) override;
};

#endif
