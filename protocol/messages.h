// Builders and readers of the adapter protocol's messages.
//
// Byte 0 of every message is its type and bytes 1 to 10 a ClientId.  In a
// command request bytes 11 to 20 are the target's DeviceId, byte 21 the
// command code.  Length fields are 32-bit little-endian; addresses travel as
// dotted text, except inside a DeviceId.
//
// Builders write into a zeroed send buffer of MAX_DATAGRAM bytes and return
// the length to send.  Readers take the datagram and the n bytes received;
// they never look past n: a byte beyond it reads as zero.
#ifndef PROTOCOL_MESSAGES_H
#define PROTOCOL_MESSAGES_H

#include "protocol/state.h"

int BuildSearchRequest(unsigned char *buffer);
int BuildLoginRequest(unsigned char *buffer, const unsigned char *deviceId);
int BuildShareListRequest(unsigned char *buffer, const unsigned char *deviceId);
int BuildDhcpRequest(unsigned char *buffer, const unsigned char *deviceId);
int BuildStaticIpRequest(unsigned char *buffer, const unsigned char *deviceId);

// Bytes 17 to 20 as "%d.%d.%d.%d".
void FormatReplyAddress(const unsigned char *datagram, int n, char text[IP_TEXT_SIZE]);

// What a search reply says of one adapter, in the sizes of an AdapterNode.
// A name longer than 255 bytes, or running past the datagram, is cut to fit;
// a netmask or gateway with no zero byte in its 16 bytes is cut to 15.
const size_t ADAPTER_NAME_SIZE = 256;
const size_t DHCP_FLAG_SIZE = 8;
struct SearchReply {
    char dhcpFlag[DHCP_FLAG_SIZE];
    char name[ADAPTER_NAME_SIZE];
    char ipText[IP_TEXT_SIZE];
    char netmaskText[IP_TEXT_SIZE];
    char gatewayText[IP_TEXT_SIZE];
    unsigned char deviceId[DEVICE_ID_SIZE];
};
void ParseSearchReply(const unsigned char *datagram, int n, SearchReply *reply);

// The login verdict: byte 28 as a signed 8-bit value, widened with its sign.
int ReadLoginVerdict(const unsigned char *datagram, int n);

// The share-list text from offset 28 up to its first zero byte or the end of
// the datagram.  Returns its length and points text at it.
int ReadShareListText(const unsigned char *datagram, int n, const char **text);

#endif
