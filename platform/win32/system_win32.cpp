#include "platform/system.h"
#include "platform/wnet.h"

namespace {

UINT RealGetDriveType(const char *root) { return GetDriveTypeA(root); }
BOOL RealGetUserName(char *buffer, DWORD *size) { return GetUserNameA(buffer, size); }
UINT RealWinExec(const char *command, UINT show) { return WinExec(command, show); }
const SystemApi kSystem = {RealGetDriveType, RealGetUserName, RealWinExec};
const SystemApi *g_system = nullptr;

DWORD RealGetConnection(const char *local, char *remote, DWORD *length) {
    return WNetGetConnectionA(local, remote, length);
}
DWORD RealAddConnection2(NETRESOURCEA *resource, const char *password, const char *user, DWORD flags) {
    return WNetAddConnection2A(resource, password, user, flags);
}
DWORD RealCancelConnection2(const char *name, DWORD flags, BOOL force) {
    return WNetCancelConnection2A(name, flags, force);
}
const WnetApi kWnet = {RealGetConnection, RealAddConnection2, RealCancelConnection2};
const WnetApi *g_wnet = nullptr;

}  // namespace

const SystemApi &System() { return g_system ? *g_system : kSystem; }
void SetSystem(const SystemApi *api) { g_system = api; }

const WnetApi &Wnet() { return g_wnet ? *g_wnet : kWnet; }
void SetWnet(const WnetApi *api) { g_wnet = api; }
