#include "platform/clock.h"

std::time_t SystemClock::now() {
    return std::time(nullptr);
}

std::tm SystemClock::localTime(std::time_t t) {
    std::tm fields{};
    localtime_r(&t, &fields);
    return fields;
}
