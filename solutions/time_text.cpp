#include "solutions/time_text.h"

#include <ctime>
#include <string>

std::string formatDuration(long seconds) {
    // A clock set back during a search would give a negative span; it is shown as no time at all.
    if (seconds < 0) seconds = 0;
    const long hours = seconds / 3600;
    const int minutes = static_cast<int>(seconds / 60 - 60 * hours);
    const int rest = static_cast<int>(seconds % 60);
    // H:MM:SS, by hand: the status shows it with every solution.
    std::string text = std::to_string(hours);
    const char tail[] = {':', static_cast<char>('0' + minutes / 10), static_cast<char>('0' + minutes % 10),
                         ':', static_cast<char>('0' + rest / 10),    static_cast<char>('0' + rest % 10)};
    text.append(tail, sizeof tail);
    return text;
}

std::string formatDateTime(const std::tm& fields) {
    char text[64];
    if (std::strftime(text, sizeof text, "%d-%m-%Y %H:%M:%S", &fields) == 0) return {};
    return text;
}
