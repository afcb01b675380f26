// The link list: the selected adapter's shared folders, each with the drive
// letter connected to it.
#ifndef DRIVES_LINK_LIST_H
#define DRIVES_LINK_LIST_H

#include "framework/framework.h"

// Rebuilds linkList from the ShareList (one row per folder, in order) and
// the DriveTable: column 1 shows the letter whose server is adapterName or
// else adapterIp -- exactly, or folding ASCII case when ignoreServerCase --
// and whose share is the folder, ASCII case folded.  When several letters
// match, the last in letter order is shown.
void FillLinkList(CListCtrl &linkList, const char *adapterName, const char *adapterIp, bool ignoreServerCase);

// Whole-text comparison that folds only the ASCII letters A to Z.
bool EqualsIgnoringAsciiCase(const char *a, const char *b);

#endif
