#pragma once

#include <ctime>
#include <string>

// "%ld:%02d:%02d": hours not reduced modulo 24.
std::string formatDuration(long seconds);
// "%d-%m-%Y %H:%M:%S" of calendar fields.
std::string formatDateTime(const std::tm& fields);
