// The clock seam: Sleep, and the time in seconds that seeds srand.
//
// How it works: code that pauses calls ClockSleep, and code that reads the
// wall clock calls ClockTime.  The default is the real Sleep and time();
// natively Sleep is a nanosleep.  The simulated LAN installs a table whose
// Sleep advances virtual time, so a whole exchange runs without waiting.
//
// Who owns what: as with the socket seam, the installer owns the table and
// SetClock(nullptr) puts the real one back.
#ifndef PLATFORM_CLOCK_H
#define PLATFORM_CLOCK_H

#include <stdint.h>

struct ClockApi {
    void (*sleep)(uint32_t milliseconds);
    int64_t (*time)();   // seconds since the epoch
};

const ClockApi &Clock();
void SetClock(const ClockApi *api);   // nullptr restores the real clock

inline void ClockSleep(uint32_t milliseconds) { Clock().sleep(milliseconds); }
inline int64_t ClockTime() { return Clock().time(); }

#endif
