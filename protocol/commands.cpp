#include "protocol/commands.h"

#include <string.h>

#include "protocol/endpoint.h"
#include "protocol/exchange.h"
#include "protocol/registry.h"

namespace {

const int QUERY_LIMIT = 11;
const int SET_LIMIT = 101;
const uint32_t COMMAND_PAUSE_MS = 100;

// Accepted when the reply's address (bytes 17 to 20) reads as text.
ReplyVerdict AddressIs(const unsigned char *datagram, int n, const char *text) {
    char address[IP_TEXT_SIZE];
    FormatReplyAddress(datagram, n, address);
    return strcmp(address, text) == 0 ? REPLY_ACCEPTED : REPLY_COUNTED;
}

ReplyVerdict FromSelectedAddress(const unsigned char *datagram, int n) { return AddressIs(datagram, n, SelectedAddress); }

ReplyVerdict AnyAddress(const unsigned char *, int) { return REPLY_ACCEPTED; }

ReplyVerdict CarriesRequestedAddress(const unsigned char *datagram, int n) {
    return AddressIs(datagram, n, PendingLanSettings.ipText);
}

struct Command {
    int (*build)(unsigned char *buffer, const unsigned char *deviceId);
    Exchange exchange;
};

// Login and share list wait alike: a query reply from the selected address.
const Exchange kQueryWait = {MSG_QUERY_REPLY, false, QUERY_LIMIT, COMMAND_PAUSE_MS, FromSelectedAddress};
const Command kLogin = {BuildLoginRequest, kQueryWait};
const Command kShares = {BuildShareListRequest, kQueryWait};
const Command kDhcp = {BuildDhcpRequest, {MSG_SET_REPLY, false, SET_LIMIT, COMMAND_PAUSE_MS, AnyAddress}};
const Command kStatic = {BuildStaticIpRequest,
                         {MSG_SET_REPLY, false, SET_LIMIT, COMMAND_PAUSE_MS, CarriesRequestedAddress}};

// The exchange every command shares.  1 with the accepted reply in reply
// (MAX_DATAGRAM + 1 bytes, zeroed by the caller) and its length in *n.
int RunCommand(const Command &command, unsigned char *reply, int *n) {
    unsigned char request[MAX_DATAGRAM] = {};
    const AdapterNode *target = FindSelectedAdapter();
    if (!target) return 0;
    SendRequest(request, command.build(request, target->deviceId));
    return RunExchange(command.exchange, reply, n);
}

// After a confirmed change of address: the target, found again under the old
// SelectedAddress, takes the new address; SelectedAddress changes last.
void MoveSelectedAdapter(const char *ipText, const char *netmaskText, const char *gatewayText) {
    AdapterNode *node = FindSelectedAdapter();
    if (node) {
        CopyText(node->ipText, sizeof node->ipText, ipText);
        if (netmaskText) CopyText(node->netmaskText, sizeof node->netmaskText, netmaskText);
        if (gatewayText) CopyText(node->gatewayText, sizeof node->gatewayText, gatewayText);
        const uint32_t address = NetInetAddr(ipText);
        memcpy(node->deviceId + DEVICE_ID_ADDRESS, &address, 4);
    }
    CopyText(SelectedAddress, sizeof SelectedAddress, ipText);
}

}  // namespace

int LoginAdapter() {
    unsigned char reply[MAX_DATAGRAM + 1] = {};
    int n = 0;
    if (!RunCommand(kLogin, reply, &n)) return 0;
    return ReadLoginVerdict(reply, n);
}

int GetShareList() {
    ClearShareList();
    unsigned char reply[MAX_DATAGRAM + 1] = {};
    int n = 0;
    if (!RunCommand(kShares, reply, &n)) return 0;
    const char *text = nullptr;
    const int length = ReadShareListText(reply, n, &text);
    for (int start = 0; start < length;) {
        int end = start;
        while (end < length && text[end] != ':') end++;
        if (end > start) {
            // Cut to the 63 characters a ShareNode holds before the repeat
            // test, so that a long name given twice is listed once.
            char name[SHARE_NAME_SIZE] = {};
            const int keep = end - start < (int)SHARE_NAME_SIZE - 1 ? end - start : (int)SHARE_NAME_SIZE - 1;
            memcpy(name, text + start, (size_t)keep);
            if (!ShareListHasName(name)) AppendShare(name);
        }
        start = end + 1;
    }
    return 1;
}

int SetDhcpClient() {
    unsigned char reply[MAX_DATAGRAM + 1] = {};
    int n = 0;
    if (!RunCommand(kDhcp, reply, &n)) return 0;
    char address[IP_TEXT_SIZE];
    FormatReplyAddress(reply, n, address);
    MoveSelectedAdapter(address, nullptr, nullptr);
    return 1;
}

int SetStaticIp() {
    unsigned char reply[MAX_DATAGRAM + 1] = {};
    int n = 0;
    if (!RunCommand(kStatic, reply, &n)) return 0;
    MoveSelectedAdapter(PendingLanSettings.ipText, PendingLanSettings.netmaskText, PendingLanSettings.gatewayText);
    return 1;
}

int GatewayInSubnet(const unsigned char address[4], const unsigned char netmask[4], const unsigned char gateway[4]) {
    for (int i = 0; i < 4; i++)
        if ((address[i] & netmask[i]) != (gateway[i] & netmask[i])) return 0;
    return 1;
}
