#include "platform/clock.h"

int32_t CurrentDateNumber() {
    return DateNumberFromTime(time(nullptr));
}

tm CurrentLocalTime() {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return local;
}

int32_t DateNumberFromTime(time_t time) {
    tm local{};
    localtime_r(&time, &local);
    return static_cast<int32_t>(static_cast<int64_t>(time) + local.tm_gmtoff);
}

time_t TimeFromDateNumber(int32_t date) {
    // The date's wall-clock fields, read as if they were UTC, then placed by the local-time rules.
    const time_t asUtc = date;
    tm fields{};
    gmtime_r(&asUtc, &fields);
    fields.tm_isdst = -1;
    return mktime(&fields);
}
