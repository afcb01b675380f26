#include "protocol/endpoint.h"

#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "platform/clock.h"

NetSocket SendSocket = NET_INVALID_SOCKET;
NetSocket ReceiveSocket = NET_INVALID_SOCKET;
NetSockAddrIn GroupEndpoint;
NetSockAddrIn LocalEndpoint;
char LocalAddressText[IP_TEXT_SIZE];

namespace {

NetSockAddrIn Endpoint(uint32_t address) {
    NetSockAddrIn a;
    memset(&a, 0, sizeof a);
    a.sin_family = NET_AF_INET;
    a.sin_port = NetHtons(ADAPTER_PORT);
    a.sin_addr = address;
    return a;
}

// WinSock 1.1 takes boolean options as one byte.
void SetByteOption(NetSocket s, int level, int option, char value) {
    Sockets().setsockopt(s, level, option, &value, 1);
}

}  // namespace

void InitLocalIdentity() {
    const SocketApi &net = Sockets();
    char host[128];
    memset(host, 0, sizeof host);
    unsigned char address[4] = {0, 0, 0, 0};
    if (net.gethostname(host, (int)sizeof host) == 0) {
        host[sizeof host - 1] = 0;
        uint8_t first[4];
        if (net.firstHostAddress(host, first)) memcpy(address, first, 4);
    }
    FormatDotted(address, LocalAddressText);

    srand((unsigned)ClockTime());
    for (int i = 0; i < 6; i++) ClientId[i] = (unsigned char)(rand() & 0xFF);
    memcpy(ClientId + 6, address, 4);
}

void InitNetwork() {
    const SocketApi &net = Sockets();
    if (net.startup(0x0101) != 0) exit(1);
    InitLocalIdentity();

    SendSocket = net.socket(NET_AF_INET, NET_SOCK_DGRAM, 0);
    GroupEndpoint = Endpoint(NetInetAddr(ADAPTER_GROUP));

    ReceiveSocket = net.socket(NET_AF_INET, NET_SOCK_DGRAM, 0);
    SetByteOption(ReceiveSocket, NET_SOL_SOCKET, NET_SO_REUSEADDR, 1);
    LocalEndpoint = Endpoint(NetInetAddr(LocalAddressText));
    const NetSockAddrIn any = Endpoint(NetHtonl(0));
    net.bind(ReceiveSocket, &any, (int)sizeof any);

    NetIpMreq membership;
    membership.imr_multiaddr = NetInetAddr(ADAPTER_GROUP);
    membership.imr_interface = NetHtonl(0);
    net.setsockopt(ReceiveSocket, NET_IPPROTO_IP, NET_IP_ADD_MEMBERSHIP,
                   reinterpret_cast<const char *>(&membership), (int)sizeof membership);

    SetByteOption(ReceiveSocket, NET_IPPROTO_IP, NET_IP_MULTICAST_LOOP, 0);
    SetByteOption(SendSocket, NET_IPPROTO_IP, NET_IP_MULTICAST_LOOP, 0);
}

void CloseNetwork() {
    const SocketApi &net = Sockets();
    net.closesocket(SendSocket);
    net.closesocket(ReceiveSocket);
    net.cleanup();
    SendSocket = NET_INVALID_SOCKET;
    ReceiveSocket = NET_INVALID_SOCKET;
}

PollResult PollReply(unsigned char *buffer, int *n) {
    const SocketApi &net = Sockets();
    NetFdSet ready;
    ready.fd_count = 1;
    ready.fd_array[0] = ReceiveSocket;
    const NetTimeval wait = {0, 10000};
    net.select((int)(ReceiveSocket + 1), &ready, nullptr, nullptr, &wait);
    if (!net.fdIsSet(ReceiveSocket, &ready)) return POLL_NONE;

    NetSockAddrIn from;
    int fromlen = (int)sizeof from;
    const int got = net.recvfrom(ReceiveSocket, reinterpret_cast<char *>(buffer), MAX_DATAGRAM, 0, &from, &fromlen);
    if (got < 0 || got > MAX_DATAGRAM) return POLL_FAILED;
    buffer[got] = 0;
    *n = got;
    return POLL_DATAGRAM;
}

int IsOwnReply(const unsigned char *datagram, int n) {
    for (int i = 0; i < CLIENT_ID_SIZE; i++) {
        const unsigned char b = 1 + i < n ? datagram[1 + i] : 0;
        if (b != ClientId[i]) return 0;
    }
    return 1;
}

void SendRequest(const unsigned char *buffer, int length) {
    Sockets().sendto(SendSocket, reinterpret_cast<const char *>(buffer), length, 0, &GroupEndpoint,
                     (int)sizeof GroupEndpoint);
}
