// The protocol endpoint: two UDP sockets and this instance's identity.
//
// Every request is sent from SendSocket to the group 224.0.0.1:13579.  Every
// reply is read from ReceiveSocket, which listens on port 13579 and has
// joined the group, so it gets datagrams sent to the group as well as those
// sent to this host.  InitNetwork brings both up once at start-up;
// CloseNetwork takes them down when the user leaves.
#ifndef PROTOCOL_ENDPOINT_H
#define PROTOCOL_ENDPOINT_H

#include "platform/sockets.h"
#include "protocol/state.h"

extern NetSocket SendSocket;
extern NetSocket ReceiveSocket;
extern NetSockAddrIn GroupEndpoint;
// The local address and port 13579.  ReceiveSocket is bound to
// INADDR_ANY:13579 instead: bound to a unicast address, Linux (and Wine on
// top of it) drops the group's datagrams.
extern NetSockAddrIn LocalEndpoint;
extern char LocalAddressText[IP_TEXT_SIZE];

// Starts WinSock 1.1 and both sockets.  When WinSock cannot start, the
// process ends at once with exit status 1 and no message.
void InitNetwork();
// Closes SendSocket, then ReceiveSocket, then WinSock.
void CloseNetwork();
// Fills LocalAddressText and ClientId.  When the host name does not resolve
// to an IPv4 address, the local address is 0.0.0.0: the program still hears
// the adapters' replies to the group, and no adapter is in its subnet.
void InitLocalIdentity();

enum PollResult { POLL_NONE, POLL_FAILED, POLL_DATAGRAM };

// One receive step: waits up to 10 ms for ReceiveSocket, then takes at most
// one datagram into buffer (MAX_DATAGRAM + 1 bytes) and terminates it at
// index n.  A datagram longer than MAX_DATAGRAM fails and is lost.
PollResult PollReply(unsigned char *buffer, int *n);

// 1 when bytes 1 to 10 of the datagram equal ClientId.  Bytes past the n
// received read as zero.
int IsOwnReply(const unsigned char *datagram, int n);

// Sends length bytes to the group; the result is not looked at.
void SendRequest(const unsigned char *buffer, int length);

#endif
