#include "drives/link_list.h"

#include <string.h>

#include "drives/drive_table.h"
#include "protocol/registry.h"

namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; }

bool ServerMatches(const char *server, const char *text, bool ignoreCase) {
    return ignoreCase ? EqualsIgnoringAsciiCase(server, text) : strcmp(server, text) == 0;
}

}  // namespace

bool EqualsIgnoringAsciiCase(const char *a, const char *b) {
    for (; *a && *b; a++, b++)
        if (FoldAscii(*a) != FoldAscii(*b)) return false;
    return *a == *b;
}

void FillLinkList(CListCtrl &linkList, const char *adapterName, const char *adapterIp, bool ignoreServerCase) {
    // Drawing is held while the rows are rebuilt and done once at the end:
    // every paint of the main window rebuilds the list, and row by row
    // redraws made a rebuild of eight rows take 54 ms under Wine, not 12.
    linkList.SendMessage(WM_SETREDRAW, FALSE);
    linkList.DeleteAllItems();
    int row = 0;
    for (const ShareNode *node = ShareList.head; node; node = node->next, row++) {
        linkList.InsertItem(row, "");
        linkList.SetItemText(row, 0, node->name);
        for (const DriveEntry &slot : DriveTable) {
            const bool server = ServerMatches(slot.server, adapterName, ignoreServerCase) ||
                                ServerMatches(slot.server, adapterIp, ignoreServerCase);
            if (server && EqualsIgnoringAsciiCase(slot.share, node->name)) linkList.SetItemText(row, 1, slot.drive);
        }
    }
    linkList.SendMessage(WM_SETREDRAW, TRUE);
    InvalidateRect(linkList.m_hWnd, nullptr, TRUE);
}
