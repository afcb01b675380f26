#include "protocol/messages.h"

#include <string.h>

namespace {

const int TYPE_OFFSET = 0;
const int CLIENT_ID_OFFSET = 1;
const int DEVICE_ID_OFFSET = 11;
const int REPLY_ADDRESS_OFFSET = 17;
const int COMMAND_OFFSET = 21;
const int DHCP_FLAG_OFFSET = 21;
const int QUERY_LENGTH_OFFSET = 24;
const int QUERY_PAYLOAD_OFFSET = 28;
const int NETMASK_OFFSET = 24;
const int GATEWAY_OFFSET = 40;
const int TEXT_FIELD_WIDTH = 16;
const int SET_LENGTH_OFFSET = 56;
const int SET_PAYLOAD_OFFSET = 60;

void PutLe32(unsigned char *p, uint32_t v) {
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}

// The byte at index i of a datagram of n bytes; past the end, zero.
unsigned char At(const unsigned char *d, int n, int i) { return i >= 0 && i < n ? d[i] : 0; }

uint32_t GetLe32(const unsigned char *d, int n, int i) {
    return (uint32_t)At(d, n, i) | (uint32_t)At(d, n, i + 1) << 8 | (uint32_t)At(d, n, i + 2) << 16 |
           (uint32_t)At(d, n, i + 3) << 24;
}

// Copies the text that starts at offset and spans at most width bytes of
// the datagram into field, stopping at the first zero byte and at n, and cut
// to fit the field.
void ReadText(const unsigned char *d, int n, int offset, size_t width, char *field, size_t size) {
    memset(field, 0, size);
    size_t len = 0;
    while (len + 1 < size && len < width && (int)(offset + len) < n && d[offset + len]) {
        field[len] = (char)d[offset + len];
        len++;
    }
}

// The part every command request opens with: type, ClientId, DeviceId, code.
void PutCommandHeader(unsigned char *buffer, unsigned char type, const unsigned char *deviceId,
                      unsigned char command) {
    buffer[TYPE_OFFSET] = type;
    memcpy(buffer + CLIENT_ID_OFFSET, ClientId, CLIENT_ID_SIZE);
    memcpy(buffer + DEVICE_ID_OFFSET, deviceId, DEVICE_ID_SIZE);
    buffer[COMMAND_OFFSET] = command;
}

// Appends a text without its terminator; returns its length.
size_t PutText(unsigned char *p, const char *text, size_t limit) {
    const size_t len = strnlen(text, limit);
    memcpy(p, text, len);
    return len;
}

}  // namespace

int BuildSearchRequest(unsigned char *buffer) {
    buffer[TYPE_OFFSET] = MSG_SEARCH;
    memcpy(buffer + CLIENT_ID_OFFSET, ClientId, CLIENT_ID_SIZE);
    return 1 + CLIENT_ID_SIZE;
}

int BuildLoginRequest(unsigned char *buffer, const unsigned char *deviceId) {
    PutCommandHeader(buffer, MSG_QUERY, deviceId, CMD_LOGIN);
    unsigned char *p = buffer + QUERY_PAYLOAD_OFFSET;
    const size_t u = PutText(p, Credentials.userName, CREDENTIAL_SIZE - 1);
    memcpy(p + u, LOGIN_SEPARATOR, 2);
    const size_t pw = PutText(p + u + 2, Credentials.password, CREDENTIAL_SIZE - 1);
    const uint32_t length = (uint32_t)(u + 2 + pw);
    PutLe32(buffer + QUERY_LENGTH_OFFSET, length);
    return QUERY_PAYLOAD_OFFSET + (int)length;
}

int BuildShareListRequest(unsigned char *buffer, const unsigned char *deviceId) {
    PutCommandHeader(buffer, MSG_QUERY, deviceId, CMD_GET_SHARES);
    PutLe32(buffer + QUERY_LENGTH_OFFSET, 0);
    return QUERY_PAYLOAD_OFFSET;
}

int BuildDhcpRequest(unsigned char *buffer, const unsigned char *deviceId) {
    PutCommandHeader(buffer, MSG_SET, deviceId, CMD_SET_DHCP);
    PutLe32(buffer + SET_LENGTH_OFFSET, 0);
    return SET_PAYLOAD_OFFSET;
}

int BuildStaticIpRequest(unsigned char *buffer, const unsigned char *deviceId) {
    PutCommandHeader(buffer, MSG_SET, deviceId, CMD_SET_STATIC_IP);
    PutText(buffer + NETMASK_OFFSET, PendingLanSettings.netmaskText, IP_TEXT_SIZE - 1);
    PutText(buffer + GATEWAY_OFFSET, PendingLanSettings.gatewayText, IP_TEXT_SIZE - 1);
    const size_t len = PutText(buffer + SET_PAYLOAD_OFFSET, PendingLanSettings.ipText, IP_TEXT_SIZE - 1);
    PutLe32(buffer + SET_LENGTH_OFFSET, (uint32_t)len);
    return SET_PAYLOAD_OFFSET + (int)len;
}

void FormatReplyAddress(const unsigned char *datagram, int n, char text[IP_TEXT_SIZE]) {
    const unsigned char address[4] = {
        At(datagram, n, REPLY_ADDRESS_OFFSET), At(datagram, n, REPLY_ADDRESS_OFFSET + 1),
        At(datagram, n, REPLY_ADDRESS_OFFSET + 2), At(datagram, n, REPLY_ADDRESS_OFFSET + 3)};
    FormatDotted(address, text);
}

void ParseSearchReply(const unsigned char *datagram, int n, SearchReply *reply) {
    memset(reply, 0, sizeof *reply);
    reply->dhcpFlag[0] = (char)At(datagram, n, DHCP_FLAG_OFFSET);
    const uint32_t nameLength = GetLe32(datagram, n, SET_LENGTH_OFFSET);
    ReadText(datagram, n, SET_PAYLOAD_OFFSET, nameLength, reply->name, sizeof reply->name);
    FormatReplyAddress(datagram, n, reply->ipText);
    ReadText(datagram, n, NETMASK_OFFSET, TEXT_FIELD_WIDTH, reply->netmaskText, sizeof reply->netmaskText);
    ReadText(datagram, n, GATEWAY_OFFSET, TEXT_FIELD_WIDTH, reply->gatewayText, sizeof reply->gatewayText);
    for (int i = 0; i < DEVICE_ID_SIZE; i++) reply->deviceId[i] = At(datagram, n, DEVICE_ID_OFFSET + i);
}

int ReadLoginVerdict(const unsigned char *datagram, int n) {
    return (int)(signed char)At(datagram, n, QUERY_PAYLOAD_OFFSET);
}

int ReadShareListText(const unsigned char *datagram, int n, const char **text) {
    int len = 0;
    while (QUERY_PAYLOAD_OFFSET + len < n && datagram[QUERY_PAYLOAD_OFFSET + len]) len++;
    *text = reinterpret_cast<const char *>(datagram) + (n > QUERY_PAYLOAD_OFFSET ? QUERY_PAYLOAD_OFFSET : n);
    return len;
}
