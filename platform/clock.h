#pragma once

#include <cstdint>
#include <ctime>

// Local wall-clock seconds since 1970-01-01 00:00:00 (a DateNumber).
int32_t CurrentDateNumber();

// The current local date and time.
tm CurrentLocalTime();

// A DateNumber from a file-system time, and back through the local-time rules.
int32_t DateNumberFromTime(time_t time);
time_t TimeFromDateNumber(int32_t date);
