#include "protocol/exchange.h"

#include "platform/clock.h"
#include "protocol/endpoint.h"

int RunExchange(const Exchange &exchange, unsigned char *buffer, int *n) {
    int polls = 0;
    int failuresInRow = 0;
    for (;;) {
        int got = 0;
        const PollResult result = PollReply(buffer, &got);
        if (result == POLL_FAILED) {
            if (++failuresInRow < FAILED_RECEIVE_RUN) continue;
        } else if (result == POLL_DATAGRAM) {
            if (buffer[0] != exchange.acceptedType) {
                if (!exchange.wrongTypeCounts) continue;
            } else if (IsOwnReply(buffer, got) &&
                       exchange.onOwnReply(buffer, got) == REPLY_ACCEPTED) {
                *n = got;
                return 1;
            }
        }
        failuresInRow = 0;
        if (++polls >= exchange.pollLimit) return 0;
        ClockSleep(exchange.pauseMs);
    }
}
