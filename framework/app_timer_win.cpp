#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

#include "framework/app_timer.h"

namespace {

struct ProgramTimer {
    bool usesCounter = false;
    TimerCore<int64_t> counter;   // readings in performance-counter ticks
    TimerCore<double> clock;      // readings in seconds of timeGetTime

    ProgramTimer() {
        LARGE_INTEGER frequency;
        usesCounter = QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0;
        if (usesCounter) {
            counter.perSecond = double(frequency.QuadPart);
            counter.tenth = frequency.QuadPart / 10;
        } else {
            clock.tenth = 0.1;
        }
    }
};

ProgramTimer& programTimer() {
    static ProgramTimer timer;
    return timer;
}

}  // namespace

void resetAppTimer() {
    programTimer() = ProgramTimer();
}

float AppTimer(TimerCommand command) {
    ProgramTimer& timer = programTimer();
    if (timer.usesCounter) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return timer.counter.run(command, now.QuadPart);
    }
    return timer.clock.run(command, timeGetTime() * 0.001);
}
