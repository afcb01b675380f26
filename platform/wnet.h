// The network-provider seam: the three WNet calls that read, add and cancel
// drive connections.
//
// How it works: drive code calls Wnet().getConnection and friends; the
// default table is the real mpr.dll.  Wine's mpr has no network provider
// (every connection fails with ERROR_NO_NETWORK), so tests install a fake
// provider that keeps connections of its own.
//
// Who owns what: the installer owns the table; SetWnet(nullptr) puts the
// real one back.  Buffers belong to the caller, as in the real calls.
#ifndef PLATFORM_WNET_H
#define PLATFORM_WNET_H

#include <windows.h>
#include <winnetwk.h>

struct WnetApi {
    DWORD (*getConnection)(const char *localName, char *remoteName, DWORD *length);
    DWORD (*addConnection2)(NETRESOURCEA *resource, const char *password, const char *userName, DWORD flags);
    DWORD (*cancelConnection2)(const char *name, DWORD flags, BOOL force);
};

const WnetApi &Wnet();
void SetWnet(const WnetApi *api);   // nullptr restores mpr.dll

#endif
