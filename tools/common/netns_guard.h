// The Linux tools multicast to 224.0.0.1.  On a development or CI machine
// that must happen only inside a private network namespace, so the tools
// refuse to start in the machine's own namespace unless LOCAVIST_ALLOW_LAN=1
// says that this really is the adapters' LAN.
#ifndef TOOLS_COMMON_NETNS_GUARD_H
#define TOOLS_COMMON_NETNS_GUARD_H

#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

// True when this process runs in a namespace made with `ip netns add`: its
// network namespace is one of those bound under /run/netns.
inline bool InPrivateNetns() {
    struct stat self;
    if (stat("/proc/self/ns/net", &self) != 0) return false;
    DIR *dir = opendir("/run/netns");
    if (!dir) return false;
    bool found = false;
    while (const dirent *e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        char path[300];
        snprintf(path, sizeof path, "/run/netns/%s", e->d_name);
        struct stat ns;
        if (stat(path, &ns) == 0 && ns.st_ino == self.st_ino && ns.st_dev == self.st_dev) found = true;
    }
    closedir(dir);
    return found;
}

// True when this process may send to the group.
inline bool MulticastAllowed(const char *program) {
    const char *allow = getenv("LOCAVIST_ALLOW_LAN");
    if ((allow && strcmp(allow, "1") == 0) || InPrivateNetns()) return true;
    fprintf(stderr,
            "%s: not in a private network namespace; refusing to multicast.\n"
            "Run it inside one (see tests/netns/), or set LOCAVIST_ALLOW_LAN=1 on the adapters' own LAN.\n",
            program);
    return false;
}

#endif
