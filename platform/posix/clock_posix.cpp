#include <errno.h>
#include <time.h>

#include "platform/clock.h"

namespace {
void RealSleep(uint32_t ms) {
    timespec ts = {(time_t)(ms / 1000), (long)(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}
int64_t RealTime() { return (int64_t)time(nullptr); }
const ClockApi kReal = {RealSleep, RealTime};
}  // namespace

const ClockApi &RealClock() { return kReal; }
