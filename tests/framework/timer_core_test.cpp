// The application timer's arithmetic, fed with chosen clock readings: ticks of a 1000 Hz
// counter, and seconds of the millisecond clock.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/app_timer_core.h"

namespace {

TimerCore<int64_t> TickTimer() {
    TimerCore<int64_t> timer;
    timer.perSecond = 1000.0;
    timer.tenth = 100;
    return timer;
}

TEST(TimerCore, StartsStoppedAndFirstStartSetsTheEpoch) {
    TimerCore<int64_t> timer = TickTimer();
    EXPECT_TRUE(timer.stopped);
    timer.run(TimerCommand::Start, 5000);
    EXPECT_FALSE(timer.stopped);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAppTime, 5250), 0.25f);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAbsoluteTime, 5250), 5.25f);
}

TEST(TimerCore, ElapsedTimeIsTheIntervalSinceTheLastReading) {
    TimerCore<int64_t> timer = TickTimer();
    timer.run(TimerCommand::Start, 1000);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetElapsedTime, 1400), 0.4f);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetElapsedTime, 1400), 0.0f);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetElapsedTime, 1410), 0.01f);
}

TEST(TimerCore, StoppedTimerStandsStill) {
    TimerCore<int64_t> timer = TickTimer();
    timer.run(TimerCommand::Start, 1000);
    timer.run(TimerCommand::Stop, 3000);
    EXPECT_TRUE(timer.stopped);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAppTime, 9000), 2.0f);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAppTime, 12000), 2.0f);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetElapsedTime, 12000), 0.0f);
    // The absolute time keeps running.
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAbsoluteTime, 12000), 12.0f);
}

TEST(TimerCore, StopAdvanceStartResumesATenthLater) {
    TimerCore<int64_t> timer = TickTimer();
    timer.run(TimerCommand::Start, 1000);
    timer.run(TimerCommand::Stop, 3000);           // app time 2.0
    timer.run(TimerCommand::Advance, 4000);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAppTime, 4500), 2.1f);
    timer.run(TimerCommand::Start, 7000);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAppTime, 7000), 2.1f);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAppTime, 7500), 2.6f);
}

TEST(TimerCore, SecondStopAndSecondStartChangeNothing) {
    TimerCore<int64_t> timer = TickTimer();
    timer.run(TimerCommand::Start, 1000);
    timer.run(TimerCommand::Stop, 2000);
    timer.run(TimerCommand::Stop, 5000);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAppTime, 6000), 1.0f);
    timer.run(TimerCommand::Start, 6000);
    timer.run(TimerCommand::Start, 8000);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAppTime, 8000), 3.0f);
}

TEST(TimerCore, ResetRestartsApplicationTimeAtZero) {
    TimerCore<int64_t> timer = TickTimer();
    timer.run(TimerCommand::Start, 1000);
    timer.run(TimerCommand::Stop, 2000);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::Reset, 9000), 0.0f);
    EXPECT_FALSE(timer.stopped);
    // Reset happened while stopped, so its base is the stop time; the stop is then cleared.
    EXPECT_FLOAT_EQ(timer.run(TimerCommand::GetAppTime, 2500), 0.5f);
}

TEST(TimerCore, UnknownCommandAnswersMinusOne) {
    TimerCore<int64_t> timer = TickTimer();
    EXPECT_FLOAT_EQ(timer.run(TimerCommand(7), 1000), -1.0f);
    EXPECT_FLOAT_EQ(timer.run(TimerCommand(-1), 1000), -1.0f);
}

TEST(TimerCore, MillisecondClockUsesSecondsAndATenthOfOne) {
    TimerCore<double> timer;
    timer.tenth = 0.1;
    timer.run(TimerCommand::Start, 10.0);
    timer.run(TimerCommand::Stop, 12.5);
    timer.run(TimerCommand::Advance, 13.0);
    timer.run(TimerCommand::Advance, 13.0);
    EXPECT_NEAR(timer.run(TimerCommand::GetAppTime, 20.0), 2.7, 1e-6);
    timer.run(TimerCommand::Start, 20.0);
    EXPECT_NEAR(timer.run(TimerCommand::GetAppTime, 21.0), 3.7, 1e-6);
    EXPECT_NEAR(timer.run(TimerCommand::GetElapsedTime, 21.25), 1.25, 1e-6);
}

}  // namespace
