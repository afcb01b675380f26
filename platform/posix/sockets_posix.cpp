// The POSIX stand-in for WinSock 1.1, for the native build.  It does what
// WinSock does where the protocol can tell: it takes the 1.1 option numbers
// and one-byte option values, select rewrites the set to the ready handles,
// and a datagram longer than the receive buffer fails the receive and is lost.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <string.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/sockets.h"

static_assert(sizeof(ip_mreq) == sizeof(NetIpMreq), "ip_mreq layout");

namespace {

int Startup(uint16_t) { return 0; }
int Cleanup() { return 0; }

int GetHostName(char *name, int namelen) { return gethostname(name, (size_t)namelen) == 0 ? 0 : -1; }

int FirstHostAddress(const char *name, uint8_t address[4]) {
    const hostent *host = gethostbyname(name);
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list[0]) return 0;
    memcpy(address, host->h_addr_list[0], 4);
    return 1;
}

NetSocket Socket(int af, int type, int protocol) {
    if (af != NET_AF_INET || type != NET_SOCK_DGRAM) return NET_INVALID_SOCKET;
    const int fd = socket(AF_INET, SOCK_DGRAM, protocol);
    return fd < 0 ? NET_INVALID_SOCKET : (NetSocket)fd;
}

// WinSock accepts a boolean option as one byte; Linux wants an int for
// SO_REUSEADDR.  Widen whatever width came.
int BooleanValue(const char *optval, int optlen) {
    int value = 0;
    for (int i = 0; i < optlen && i < (int)sizeof(int); i++) value |= (unsigned char)optval[i];
    return value != 0;
}

int SetSockOpt(NetSocket s, int level, int optname, const char *optval, int optlen) {
    if (optlen <= 0 || !optval) return -1;
    const int fd = (int)s;
    if (level == NET_SOL_SOCKET && optname == NET_SO_REUSEADDR) {
        const int v = BooleanValue(optval, optlen);
        return setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &v, sizeof v);
    }
    if (level == NET_IPPROTO_IP && optname == NET_IP_MULTICAST_LOOP) {
        const int v = BooleanValue(optval, optlen);
        return setsockopt(fd, IPPROTO_IP, IP_MULTICAST_LOOP, &v, sizeof v);
    }
    if (level == NET_IPPROTO_IP && optname == NET_IP_ADD_MEMBERSHIP && optlen >= (int)sizeof(ip_mreq)) {
        ip_mreq m;
        memcpy(&m, optval, sizeof m);
        return setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m);
    }
    return -1;
}

sockaddr_in ToPosix(const NetSockAddrIn *a) {
    sockaddr_in p;
    memset(&p, 0, sizeof p);
    p.sin_family = AF_INET;
    p.sin_port = a->sin_port;
    p.sin_addr.s_addr = a->sin_addr;
    return p;
}

int Bind(NetSocket s, const NetSockAddrIn *addr, int addrlen) {
    if (addrlen < (int)sizeof(NetSockAddrIn)) return -1;
    const sockaddr_in p = ToPosix(addr);
    return bind((int)s, reinterpret_cast<const sockaddr *>(&p), sizeof p);
}

int SendTo(NetSocket s, const char *buf, int len, int flags, const NetSockAddrIn *to, int tolen) {
    if (tolen < (int)sizeof(NetSockAddrIn) || len < 0) return -1;
    const sockaddr_in p = ToPosix(to);
    return (int)sendto((int)s, buf, (size_t)len, flags, reinterpret_cast<const sockaddr *>(&p), sizeof p);
}

// WinSock ignores nfds, and leaves in each set only the handles that are ready.
void Load(const NetFdSet *in, fd_set *out, int *maxfd) {
    FD_ZERO(out);
    if (!in) return;
    for (unsigned i = 0; i < in->fd_count && i < NET_FD_SETSIZE; i++) {
        const int fd = (int)in->fd_array[i];
        if (fd < 0 || fd >= FD_SETSIZE) continue;
        FD_SET(fd, out);
        if (fd > *maxfd) *maxfd = fd;
    }
}

void Store(NetFdSet *set, fd_set *ready) {
    if (!set) return;
    unsigned kept = 0;
    for (unsigned i = 0; i < set->fd_count && i < NET_FD_SETSIZE; i++) {
        const int fd = (int)set->fd_array[i];
        if (fd >= 0 && fd < FD_SETSIZE && FD_ISSET(fd, ready)) set->fd_array[kept++] = set->fd_array[i];
    }
    set->fd_count = kept;
}

int Select(int, NetFdSet *r, NetFdSet *w, NetFdSet *e, const NetTimeval *timeout) {
    fd_set pr, pw, pe;
    int maxfd = -1;
    Load(r, &pr, &maxfd);
    Load(w, &pw, &maxfd);
    Load(e, &pe, &maxfd);
    timeval tv;
    if (timeout) {
        tv.tv_sec = timeout->tv_sec;
        tv.tv_usec = timeout->tv_usec;
    }
    const int n = select(maxfd + 1, &pr, &pw, &pe, timeout ? &tv : nullptr);
    if (n < 0) return -1;
    Store(r, &pr);
    Store(w, &pw);
    Store(e, &pe);
    return n;
}

int FdIsSet(NetSocket s, NetFdSet *set) {
    for (unsigned i = 0; i < set->fd_count && i < NET_FD_SETSIZE; i++)
        if (set->fd_array[i] == s) return 1;
    return 0;
}

int RecvFrom(NetSocket s, char *buf, int len, int flags, NetSockAddrIn *from, int *fromlen) {
    if (len < 0) return -1;
    sockaddr_in p;
    socklen_t plen = sizeof p;
    // MSG_TRUNC makes recvfrom report the datagram's real length, so that an
    // oversized one fails the call as it does under WinSock (WSAEMSGSIZE).
    const ssize_t n = recvfrom((int)s, buf, (size_t)len, flags | MSG_TRUNC, reinterpret_cast<sockaddr *>(&p), &plen);
    if (n < 0 || n > len) return -1;
    if (from && fromlen && *fromlen >= (int)sizeof(NetSockAddrIn)) {
        memset(from, 0, sizeof *from);
        from->sin_family = NET_AF_INET;
        from->sin_port = p.sin_port;
        from->sin_addr = p.sin_addr.s_addr;
        *fromlen = (int)sizeof(NetSockAddrIn);
    }
    return (int)n;
}

int CloseSocket(NetSocket s) { return close((int)s); }

const SocketApi kReal = {Startup, Cleanup,    GetHostName, FirstHostAddress, Socket,   SetSockOpt,
                         Bind,    SendTo,     Select,      FdIsSet,          RecvFrom, CloseSocket};

}  // namespace

const SocketApi &RealSockets() { return kReal; }

uint32_t NetInetAddr(const char *text) { return inet_addr(text); }
