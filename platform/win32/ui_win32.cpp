#include "platform/ui.h"

namespace {
int RealMessageBox(HWND owner, const char *text, const char *caption, UINT flags) {
    return MessageBoxA(owner, text, caption, flags);
}
const UiApi kReal = {RealMessageBox};
const UiApi *g_ui = nullptr;
}  // namespace

const UiApi &Ui() { return g_ui ? *g_ui : kReal; }
void SetUi(const UiApi *api) { g_ui = api; }
