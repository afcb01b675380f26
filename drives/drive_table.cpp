#include "drives/drive_table.h"

#include <stdio.h>
#include <string.h>

#include "platform/system.h"
#include "platform/wnet.h"

DriveEntry DriveTable[DRIVE_COUNT];

namespace {

const DWORD REMOTE_NAME_SIZE = 256;

// Copies length bytes of text into a field, cut to fit, zero-filled.
void CopyPart(char *field, size_t size, const char *text, size_t length) {
    if (length > size - 1) length = size - 1;
    memcpy(field, text, length);
    memset(field + length, 0, size - length);
}

bool Offered(int slot, UINT type) {
    if (slot < 3) return false;   // A:, B: and C: never
    return type != DRIVE_REMOVABLE && type != DRIVE_FIXED && type != DRIVE_CDROM && type != DRIVE_RAMDISK;
}

}  // namespace

bool IsConnected(const DriveEntry &entry) { return entry.server[0] && entry.share[0]; }

void ScanMappedDrives() {
    for (int slot = 0; slot < DRIVE_COUNT; slot++) {
        DriveEntry &e = DriveTable[slot];
        snprintf(e.drive, sizeof e.drive, "%c:", 'A' + slot);
        char remote[REMOTE_NAME_SIZE] = {};
        DWORD length = REMOTE_NAME_SIZE;
        if (Wnet().getConnection(e.drive, remote, &length) != NO_ERROR) {
            memset(e.server, 0, sizeof e.server);
            memset(e.share, 0, sizeof e.share);
            continue;
        }
        remote[REMOTE_NAME_SIZE - 1] = 0;
        const size_t n = strlen(remote);
        // The server part ends at the first backslash at position 2 or later;
        // positions 0 and 1 are the leading \\ whatever they hold.
        size_t p = 2;
        while (p < n && remote[p] != '\\') p++;
        if (p >= n) continue;   // no share part: keep what the slot held
        CopyPart(e.server, sizeof e.server, remote + 2, p - 2);
        CopyPart(e.share, sizeof e.share, remote + p + 1, n - p - 1);
    }
}

void FillDriveCombo(CComboBox &chooser) {
    chooser.ResetContent();
    int offered = 0;
    int firstFree = 0;
    for (int slot = 0; slot < DRIVE_COUNT; slot++) {
        const DriveEntry &e = DriveTable[slot];
        if (!Offered(slot, System().getDriveType(e.drive))) continue;
        offered++;
        char item[DRIVE_TEXT_SIZE + DRIVE_SERVER_SIZE + DRIVE_SHARE_SIZE + 8];
        if (IsConnected(e)) {
            snprintf(item, sizeof item, "%s \\\\%s\\%s", e.drive, e.server, e.share);
        } else {
            snprintf(item, sizeof item, "%s", e.drive);
            if (firstFree == 0) firstFree = offered;
        }
        chooser.AddString(item);
    }
    chooser.SetCurSel(firstFree - 1);
}
