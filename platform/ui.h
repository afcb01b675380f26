// The message-box seam.
//
// How it works: every message box the program shows goes through
// UiMessageBox, whose default is the real MessageBoxA.  UI tests install a
// table that records text, caption and flags and answers at once, so that no
// box has to be clicked away.
//
// Who owns what: the installer owns the table; SetUi(nullptr) puts the real
// one back.  The owner window belongs to the caller.
#ifndef PLATFORM_UI_H
#define PLATFORM_UI_H

#include <windows.h>

struct UiApi {
    int (*messageBox)(HWND owner, const char *text, const char *caption, UINT flags);
};

const UiApi &Ui();
void SetUi(const UiApi *api);   // nullptr restores MessageBoxA

inline int UiMessageBox(HWND owner, const char *text, const char *caption, UINT flags) {
    return Ui().messageBox(owner, text, caption, flags);
}

#endif
