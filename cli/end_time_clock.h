#pragma once

#include "platform/clock.h"

// The system clock, remembering the last time it gave. The search driver takes the end time of a
// search as its last reading, so the solver can print the log's summary line with the same end time
// and duration as the log itself.
class EndTimeClock : public SystemClock {
public:
    std::time_t now() override { return m_last = SystemClock::now(); }
    std::time_t lastReading() const { return m_last; }

private:
    std::time_t m_last = 0;
};
