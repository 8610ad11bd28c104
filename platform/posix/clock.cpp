#include "platform/clock.h"

#include <ctime>

int32_t CurrentDateNumber() {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return static_cast<int32_t>(static_cast<int64_t>(now) + local.tm_gmtoff);
}
