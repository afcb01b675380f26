// The one wait loop every exchange is built from.
//
// After its request is sent, an exchange polls ReceiveSocket (PollReply)
// until it accepts a reply or has counted its limit of polls:
//  - a failed receive is polled again at once, neither counted nor paused;
//  - a datagram of the wrong type is counted by the sweep, and by a command
//    passed over like a failure;
//  - a datagram of the right type that echoes our ClientId goes to the
//    exchange's own test, which accepts it (the exchange ends) or not;
//  - everything else -- no datagram, another instance's reply, a reply the
//    test turned down -- is counted, and unless the limit is reached the
//    loop pauses before the next poll.
// A socket whose every receive fails would never end that loop, so a run of
// FAILED_RECEIVE_RUN failures in a row counts as one poll.
#ifndef PROTOCOL_EXCHANGE_H
#define PROTOCOL_EXCHANGE_H

#include <stdint.h>

const int FAILED_RECEIVE_RUN = 16;

enum ReplyVerdict { REPLY_COUNTED, REPLY_ACCEPTED };

struct Exchange {
    unsigned char acceptedType;
    bool wrongTypeCounts;
    int pollLimit;
    uint32_t pauseMs;
    // Called with each own reply of the accepted type.
    ReplyVerdict (*onOwnReply)(const unsigned char *datagram, int n);
};

// Returns 1 with the accepted reply in buffer (MAX_DATAGRAM + 1 bytes) and
// its length in *n, or 0 when the limit ran out.
int RunExchange(const Exchange &exchange, unsigned char *buffer, int *n);

#endif
