#pragma once
// The application timer: one program-wide clock with a stop/start state, measured with the
// high-resolution counter when the machine has one and with timeGetTime otherwise (decided on
// the first call). See TimerCore for what each command does.
#include "framework/app_timer_core.h"

// Carries out `command`; returns seconds for GetAbsoluteTime, GetAppTime and GetElapsedTime,
// 0 for the other commands and -1 for an unknown one. The timer starts stopped.
float AppTimer(TimerCommand command);

// Back to the timer of a fresh process: stopped, its clock chosen again.
void resetAppTimer();
