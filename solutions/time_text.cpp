#include "solutions/time_text.h"

#include <cstdio>

std::string formatDuration(long seconds) {
    // A clock set back during a search would give a negative span; it is shown as no time at all.
    if (seconds < 0) seconds = 0;
    const long hours = seconds / 3600;
    const int minutes = static_cast<int>(seconds / 60 - 60 * hours);
    const int rest = static_cast<int>(seconds % 60);
    char text[48];
    std::snprintf(text, sizeof text, "%ld:%02d:%02d", hours, minutes, rest);
    return text;
}

std::string formatDateTime(const std::tm& fields) {
    char text[64];
    if (std::strftime(text, sizeof text, "%d-%m-%Y %H:%M:%S", &fields) == 0) return {};
    return text;
}
