// The Linux tools multicast to 224.0.0.1.  On a development or CI machine
// that must happen only inside a private network namespace, so the tools
// refuse to start in the machine's own namespace unless LOCAVIST_ALLOW_LAN=1
// says that this really is the adapters' LAN.
#ifndef TOOLS_COMMON_NETNS_GUARD_H
#define TOOLS_COMMON_NETNS_GUARD_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

// True when this process may send to the group.
inline bool MulticastAllowed(const char *program) {
    const char *allow = getenv("LOCAVIST_ALLOW_LAN");
    if (allow && strcmp(allow, "1") == 0) return true;
    struct stat self, init;
    if (stat("/proc/self/ns/net", &self) == 0 && stat("/proc/1/ns/net", &init) == 0 &&
        (self.st_ino != init.st_ino || self.st_dev != init.st_dev))
        return true;
    fprintf(stderr,
            "%s: not in a private network namespace; refusing to multicast.\n"
            "Run it inside one (see tests/netns/), or set LOCAVIST_ALLOW_LAN=1 on the adapters' own LAN.\n",
            program);
    return false;
}

#endif
