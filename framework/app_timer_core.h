#pragma once
// The arithmetic of the application timer, apart from the clock that feeds it, so that it can
// be driven with chosen readings. A reading is either a 64-bit tick count of the performance
// counter or double-precision seconds of the millisecond clock; `TimerCore` works on both.
#include <cstdint>

enum class TimerCommand : int {
    Reset = 0,
    Start = 1,
    Stop = 2,
    Advance = 3,
    GetAbsoluteTime = 4,
    GetAppTime = 5,
    GetElapsedTime = 6,
};

// Timer state for one kind of reading. `perSecond` is the number of readings per second
// (the counter frequency, or 1.0 for seconds); `tenth` is a tenth of a second in readings.
// The timer starts stopped; the first Start makes its base the moment of that call.
template <typename Reading>
struct TimerCore {
    double perSecond = 1.0;
    Reading tenth = 0;
    Reading base = 0;
    Reading lastElapsed = 0;
    Reading stopTime = 0;   // 0 while running
    bool stopped = true;

    // The reading a command works with: a stopped timer stands still at its stop time,
    // except for Start (which needs the real time to move the base) and GetAbsoluteTime.
    Reading effectiveNow(TimerCommand command, Reading clockNow) const {
        if (stopTime != 0 && command != TimerCommand::Start &&
            command != TimerCommand::GetAbsoluteTime)
            return stopTime;
        return clockNow;
    }

    // Carries out `command` at clock reading `clockNow`. Returns seconds for the three Get
    // commands, 0 for the others, and -1 for an unknown command.
    float run(TimerCommand command, Reading clockNow) {
        const Reading now = effectiveNow(command, clockNow);
        switch (command) {
        case TimerCommand::Reset:
            base = lastElapsed = now;
            stopTime = 0;
            stopped = false;
            return 0.0f;
        case TimerCommand::Start:
            if (stopped)
                base += now - stopTime;
            stopTime = 0;
            lastElapsed = now;
            stopped = false;
            return 0.0f;
        case TimerCommand::Stop:
            if (!stopped) {
                stopTime = lastElapsed = now;
                stopped = true;
            }
            return 0.0f;
        case TimerCommand::Advance:
            stopTime += tenth;
            return 0.0f;
        case TimerCommand::GetAbsoluteTime:
            return float(double(now) / perSecond);
        case TimerCommand::GetAppTime:
            return float(double(now - base) / perSecond);
        case TimerCommand::GetElapsedTime: {
            const double elapsed = double(now - lastElapsed) / perSecond;
            lastElapsed = now;
            return float(elapsed);
        }
        default:
            return -1.0f;
        }
    }
};
