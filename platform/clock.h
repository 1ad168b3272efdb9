#pragma once

#include <ctime>

// The one source of times for a search: start, solutions, end. Tests put in a clock of their own.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::time_t now() = 0;
    // Calendar fields of a time in the local time zone.
    virtual std::tm localTime(std::time_t t) = 0;
};

class SystemClock : public Clock {
  public:
    std::time_t now() override;
    std::tm localTime(std::time_t t) override;
};
