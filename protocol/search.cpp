#include "protocol/search.h"

#include "platform/clock.h"
#include "protocol/endpoint.h"
#include "protocol/exchange.h"
#include "protocol/registry.h"

namespace {

// Every own search reply is listed unless its address is listed already;
// the sweep always goes on.
ReplyVerdict ListAdapter(const unsigned char *datagram, int n) {
    SearchReply reply;
    ParseSearchReply(datagram, n, &reply);
    if (!AdapterListHasAddress(reply.ipText))
        AppendAdapter(reply.name, reply.ipText, reply.netmaskText, reply.gatewayText, reply.deviceId,
                      reply.dhcpFlag);
    return REPLY_COUNTED;
}

const Exchange kSweep = {MSG_SEARCH_REPLY, true, 32, 20, ListAdapter};

}  // namespace

void SearchAdapters() {
    ClearAdapterList();
    unsigned char request[MAX_DATAGRAM] = {};
    unsigned char reply[MAX_DATAGRAM + 1] = {};
    const int length = BuildSearchRequest(request);

    SendRequest(request, length);
    ClockSleep(80);
    SendRequest(request, length);
    ClockSleep(80);
    SendRequest(request, length);
    ClockSleep(100);

    int n = 0;
    RunExchange(kSweep, reply, &n);
}
