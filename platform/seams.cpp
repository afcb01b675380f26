// The installed tables of the socket and clock seams.
#include "platform/clock.h"
#include "platform/sockets.h"

namespace {
const SocketApi *g_sockets = nullptr;
const ClockApi *g_clock = nullptr;
}

const SocketApi &Sockets() { return g_sockets ? *g_sockets : RealSockets(); }
void SetSockets(const SocketApi *api) { g_sockets = api; }

const ClockApi &RealClock();
const ClockApi &Clock() { return g_clock ? *g_clock : RealClock(); }
void SetClock(const ClockApi *api) { g_clock = api; }

uint16_t NetHtons(uint16_t v) {
    const uint8_t b[2] = {(uint8_t)(v >> 8), (uint8_t)v};
    uint16_t out;
    __builtin_memcpy(&out, b, 2);
    return out;
}

uint32_t NetHtonl(uint32_t v) {
    const uint8_t b[4] = {(uint8_t)(v >> 24), (uint8_t)(v >> 16), (uint8_t)(v >> 8), (uint8_t)v};
    uint32_t out;
    __builtin_memcpy(&out, b, 4);
    return out;
}
