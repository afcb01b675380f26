// The system seam: the few Win32 calls whose answers tests must choose --
// the type of a drive, the logged-on user's name, and starting a program.
//
// How it works: callers go through System(); the default table is the real
// GetDriveTypeA, GetUserNameA and WinExec.  Tests install their own.
//
// Who owns what: the installer owns the table; SetSystem(nullptr) puts the
// real one back.
#ifndef PLATFORM_SYSTEM_H
#define PLATFORM_SYSTEM_H

#include <windows.h>

struct SystemApi {
    UINT (*getDriveType)(const char *rootPath);
    BOOL (*getUserName)(char *buffer, DWORD *size);
    UINT (*winExec)(const char *commandLine, UINT show);
};

const SystemApi &System();
void SetSystem(const SystemApi *api);   // nullptr restores the real calls

#endif
