// How long one paint of the main window takes: 26 provider queries, the
// drive chooser rebuilt, and the link list rebuilt for a selected adapter
// with eight folders.  Runs the real dialog under Wine over the fake
// provider (with six connected letters) and prints the figures.
//
//   wine paint_bench.exe [paints]
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "app/search_app.h"
#include "app/search_dlg.h"
#include "drives/drive_table.h"
#include "drives/link_list.h"
#include "protocol/endpoint.h"
#include "protocol/registry.h"
#include "res/resource.h"
#include "tests/ui/fake_network.h"
#include "tests/ui/harness.h"

int main(int argc, char **argv) {
    const int paints = argc > 1 ? atoi(argv[1]) : 500;
    SimLan lan;
    AdapterConfig store;
    lan.AddAdapter(store);
    FakeNetwork net;
    for (char c = 'E'; c <= 'J'; c++) net.Connect(c, std::string("\\\\STORE1\\share") + c);
    MessageBoxRecorder boxes;
    theApp.SetDialogBkColor(DIALOG_BACKGROUND, DIALOG_TEXT);
    InitNetwork();
    for (char c = 'E'; c <= 'L'; c++) AppendShare((std::string("share") + c).c_str());

    std::vector<double> us, work;
    int queries = 0;
    CSearchDlg dlg;
    theApp.m_pMainWnd = &dlg;
    ScriptedUser user;
    user.Then([&](HWND main) {
        dlg.m_listAdapter.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        LARGE_INTEGER f, a, b;
        QueryPerformanceFrequency(&f);
        const int before = net.queries;
        for (int i = 0; i < paints; i++) {
            QueryPerformanceCounter(&a);
            RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            QueryPerformanceCounter(&b);
            us.push_back((double)(b.QuadPart - a.QuadPart) * 1e6 / (double)f.QuadPart);
        }
        queries = net.queries - before;
        // The same work without the window system's part of a paint.
        for (int i = 0; i < paints; i++) {
            QueryPerformanceCounter(&a);
            ScanMappedDrives();
            FillDriveCombo(dlg.m_comboDrive);
            FillLinkList(dlg.m_listLink, "STORE1", "192.0.2.10", false);
            QueryPerformanceCounter(&b);
            work.push_back((double)(b.QuadPart - a.QuadPart) * 1e6 / (double)f.QuadPart);
        }
        Click(main, IDC_BTN_EXIT);
    });
    dlg.DoModal();
    if (us.empty() || work.empty()) return 1;
    printf("paints: %d\nprovider queries per paint: %.1f\nlink-list rows: 8, chooser items: 23\n", paints,
           (double)queries / paints);
    auto report = [](const char *what, std::vector<double> &v) {
        std::sort(v.begin(), v.end());
        double sum = 0;
        for (double x : v) sum += x;
        printf("%s: median %.0f us, mean %.0f us, 95th percentile %.0f us\n", what, v[v.size() / 2],
               sum / (double)v.size(), v[v.size() * 95 / 100]);
    };
    report("whole paint (WM_PAINT, drawn by Wine)", us);
    report("rescan and rebuilds alone", work);
    return 0;
}
