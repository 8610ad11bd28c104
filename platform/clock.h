#pragma once

#include <cstdint>

// Local wall-clock seconds since 1970-01-01 00:00:00 (a DateNumber).
int32_t CurrentDateNumber();
