// Constants of the adapter protocol.  Every request goes to the group
// 224.0.0.1, port 13579; replies come back to port 13579 of this host.
#ifndef PROTOCOL_WIRE_H
#define PROTOCOL_WIRE_H

#include <stdint.h>

const uint16_t ADAPTER_PORT = 13579;
const char ADAPTER_GROUP[] = "224.0.0.1";

// Size of every send buffer, and the most bytes one receive takes.  Receive
// buffers have one byte more for the terminator PollReply writes.
const int MAX_DATAGRAM = 4096;

enum MessageType : unsigned char {
    MSG_SEARCH = 1,
    MSG_SEARCH_REPLY = 2,
    MSG_QUERY = 3,
    MSG_QUERY_REPLY = 4,
    MSG_SET = 5,
    MSG_SET_REPLY = 6,
};

// Carried in byte 21 of MSG_QUERY and MSG_SET.
enum CommandCode : unsigned char {
    CMD_SET_STATIC_IP = 1,
    CMD_SET_DHCP = 2,
    CMD_GET_SHARES = 3,
    CMD_LOGIN = 4,
};

const unsigned char LOGIN_SEPARATOR[2] = {0x55, 0xAA};

const int CLIENT_ID_SIZE = 10;
const int DEVICE_ID_SIZE = 10;

// A DeviceId is the adapter's 6-byte hardware address, then its IPv4
// address, first octet first.
const int DEVICE_ID_ADDRESS = 6;

#endif
