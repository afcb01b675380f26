// The real socket seam on Windows: wsock32, WinSock 1.1.  Our types have
// WinSock's layout, so every call passes its arguments straight through.
#include <winsock.h>

#include "platform/sockets.h"

static_assert(sizeof(SOCKET) == sizeof(NetSocket), "SOCKET width");
static_assert(sizeof(fd_set) == sizeof(NetFdSet), "fd_set layout");
static_assert(sizeof(timeval) == sizeof(NetTimeval), "timeval layout");
static_assert(sizeof(sockaddr_in) == sizeof(NetSockAddrIn), "sockaddr_in layout");
static_assert(SOL_SOCKET == NET_SOL_SOCKET && SO_REUSEADDR == NET_SO_REUSEADDR, "1.1 numbers");
static_assert(IP_MULTICAST_LOOP == NET_IP_MULTICAST_LOOP && IP_ADD_MEMBERSHIP == NET_IP_ADD_MEMBERSHIP,
              "WinSock 1.1 option numbers (winsock.h, not ws2tcpip.h)");

namespace {

int Startup(uint16_t version) {
    WSADATA data;
    return WSAStartup(version, &data);
}

int Cleanup() { return WSACleanup(); }

int GetHostName(char *name, int namelen) { return gethostname(name, namelen); }

int FirstHostAddress(const char *name, uint8_t address[4]) {
    const hostent *host = gethostbyname(name);
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list ||
        !host->h_addr_list[0])
        return 0;
    for (int i = 0; i < 4; i++) address[i] = (uint8_t)host->h_addr_list[0][i];
    return 1;
}

NetSocket Socket(int af, int type, int protocol) { return socket(af, type, protocol); }

int SetSockOpt(NetSocket s, int level, int optname, const char *optval, int optlen) {
    return setsockopt(s, level, optname, optval, optlen);
}

int Bind(NetSocket s, const NetSockAddrIn *addr, int addrlen) {
    return bind(s, reinterpret_cast<const sockaddr *>(addr), addrlen);
}

int SendTo(NetSocket s, const char *buf, int len, int flags, const NetSockAddrIn *to, int tolen) {
    return sendto(s, buf, len, flags, reinterpret_cast<const sockaddr *>(to), tolen);
}

int Select(int nfds, NetFdSet *r, NetFdSet *w, NetFdSet *e, const NetTimeval *timeout) {
    // mingw declares select's time-out as non-const.
    timeval tv;
    if (timeout) {
        tv.tv_sec = timeout->tv_sec;
        tv.tv_usec = timeout->tv_usec;
    }
    return select(nfds, reinterpret_cast<fd_set *>(r), reinterpret_cast<fd_set *>(w),
                  reinterpret_cast<fd_set *>(e), timeout ? &tv : nullptr);
}

int FdIsSet(NetSocket s, NetFdSet *set) { return __WSAFDIsSet(s, reinterpret_cast<fd_set *>(set)); }

int RecvFrom(NetSocket s, char *buf, int len, int flags, NetSockAddrIn *from, int *fromlen) {
    return recvfrom(s, buf, len, flags, reinterpret_cast<sockaddr *>(from), fromlen);
}

int CloseSocket(NetSocket s) { return closesocket(s); }

const SocketApi kReal = {Startup, Cleanup,    GetHostName, FirstHostAddress, Socket,   SetSockOpt,
                         Bind,    SendTo,     Select,      FdIsSet,          RecvFrom, CloseSocket};

}  // namespace

const SocketApi &RealSockets() { return kReal; }

uint32_t NetInetAddr(const char *text) { return inet_addr(text); }
