// The drive table: the 26 letters A to Z and the network folder each is
// connected to, as the network provider reports it; and the drive chooser
// built from it.
#ifndef DRIVES_DRIVE_TABLE_H
#define DRIVES_DRIVE_TABLE_H

#include "framework/framework.h"

const int DRIVE_COUNT = 26;
const size_t DRIVE_SERVER_SIZE = 64;
const size_t DRIVE_SHARE_SIZE = 256;
const size_t DRIVE_TEXT_SIZE = 8;

struct DriveEntry {
    char server[DRIVE_SERVER_SIZE];   // from \\server\share: server (cut to 63 characters)
    char share[DRIVE_SHARE_SIZE];     // everything after the server's backslash
    char drive[DRIVE_TEXT_SIZE];      // "E:"
};

// Slot 0 is A:, slot 25 Z:.  Zero at start; written only by ScanMappedDrives.
extern DriveEntry DriveTable[DRIVE_COUNT];

// A slot is connected when both its server and share texts are non-empty.
bool IsConnected(const DriveEntry &entry);

// Rewrites every slot from the network provider.  A letter the provider
// reports no connection for is cleared; a remote name with no backslash at
// position 2 or later leaves the slot's texts as they were.
void ScanMappedDrives();

// Refills the chooser: every letter from D: on that is not a removable,
// fixed, CD-ROM or RAM-disk drive, as "E: \\server\share" when connected and
// "F:" when free, in letter order; the first free one is selected (none
// when every offered letter is connected).
void FillDriveCombo(CComboBox &chooser);

#endif
