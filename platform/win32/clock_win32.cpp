#include <windows.h>

#include <time.h>

#include "platform/clock.h"

namespace {
void RealSleep(uint32_t ms) { Sleep(ms); }
int64_t RealTime() { return (int64_t)time(nullptr); }
const ClockApi kReal = {RealSleep, RealTime};
}  // namespace

const ClockApi &RealClock() { return kReal; }
