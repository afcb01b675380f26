// The socket seam: the WinSock 1.1 calls the adapter protocol makes.
//
// How it works: protocol code never calls WinSock directly.  It calls through
// the table that Sockets() returns.  The default table is the real thing: on
// Windows it forwards to wsock32 (WinSock 1.1), natively to a small POSIX
// stand-in that behaves like WinSock where the protocol can tell (option
// numbers, an oversized datagram failing the receive).  Tests install their
// own table with SetSockets() -- the simulated LAN does -- and put the
// default back with SetSockets(nullptr).
//
// Who owns what: the table is a process-wide pointer to storage the installer
// owns; it must outlive every call made through it.  Sockets are plain
// handles owned by the code that opened them, closed with closesocket.
//
// The types below are laid out exactly as WinSock's own (sockaddr_in is 16
// bytes, fd_set is a count and an array of 64 handles, option numbers are
// those of version 1.1), so the Windows table passes them straight through.
#ifndef PLATFORM_SOCKETS_H
#define PLATFORM_SOCKETS_H

#include <stdint.h>

typedef uintptr_t NetSocket;
const NetSocket NET_INVALID_SOCKET = ~(NetSocket)0;

// WinSock 1.1 option levels and numbers.  The POSIX stand-in translates them.
const int NET_SOL_SOCKET = 0xFFFF;
const int NET_SO_REUSEADDR = 4;
const int NET_IPPROTO_IP = 0;
const int NET_IP_MULTICAST_LOOP = 4;
const int NET_IP_ADD_MEMBERSHIP = 5;

const int NET_AF_INET = 2;
const int NET_SOCK_DGRAM = 2;

// sockaddr_in: family, port and address in network byte order, 8 zero bytes.
struct NetSockAddrIn {
    int16_t sin_family;
    uint16_t sin_port;
    uint32_t sin_addr;
    char sin_zero[8];
};
static_assert(sizeof(NetSockAddrIn) == 16, "sockaddr_in is 16 bytes");

// ip_mreq: group, then interface, both in network byte order.
struct NetIpMreq {
    uint32_t imr_multiaddr;
    uint32_t imr_interface;
};
static_assert(sizeof(NetIpMreq) == 8, "ip_mreq is 8 bytes");

// WinSock's fd_set: a count, then the handles.
const unsigned NET_FD_SETSIZE = 64;
struct NetFdSet {
    unsigned int fd_count;
    NetSocket fd_array[NET_FD_SETSIZE];
};

// WinSock's timeval: two 32-bit longs.
struct NetTimeval {
    int32_t tv_sec;
    int32_t tv_usec;
};

struct SocketApi {
    // WSAStartup(version): 0 on success, as WinSock.
    int (*startup)(uint16_t version);
    int (*cleanup)();
    int (*gethostname)(char *name, int namelen);
    // gethostbyname reduced to what the protocol reads of it: the first
    // IPv4 address of the host's address list, first octet first.  Returns 1
    // when there is one, 0 when the name does not resolve to IPv4.
    int (*firstHostAddress)(const char *name, uint8_t address[4]);
    NetSocket (*socket)(int af, int type, int protocol);
    int (*setsockopt)(NetSocket s, int level, int optname, const char *optval, int optlen);
    int (*bind)(NetSocket s, const NetSockAddrIn *addr, int addrlen);
    int (*sendto)(NetSocket s, const char *buf, int len, int flags, const NetSockAddrIn *to, int tolen);
    int (*select)(int nfds, NetFdSet *readfds, NetFdSet *writefds, NetFdSet *exceptfds, const NetTimeval *timeout);
    // __WSAFDIsSet
    int (*fdIsSet)(NetSocket s, NetFdSet *set);
    // Like WinSock: a datagram longer than len fails the call (-1) and is lost.
    int (*recvfrom)(NetSocket s, char *buf, int len, int flags, NetSockAddrIn *from, int *fromlen);
    int (*closesocket)(NetSocket s);
};

const SocketApi &Sockets();
void SetSockets(const SocketApi *api);   // nullptr restores the real calls
const SocketApi &RealSockets();

// inet_addr, htons and htonl need no fake: they are pure.
uint32_t NetInetAddr(const char *text);   // the real inet_addr
uint16_t NetHtons(uint16_t v);
uint32_t NetHtonl(uint32_t v);

#endif
