#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Which solutions to export, as the user writes them: "1-20, 35" (numbers from 1, ranges with a
// hyphen, separated by commas), or everything ("" or "alle").
class SolutionRange {
  public:
    struct Interval {
        std::int64_t first = 0;  // from 1, inclusive
        std::int64_t last = 0;   // inclusive
    };

    // Nothing for a text that is not a list of numbers and ranges, or a range that runs backwards.
    static std::optional<SolutionRange> parse(const std::string& text);

    bool all() const { return m_intervals.empty(); }
    // The highest number asked for; 0 for all.
    std::int64_t highest() const { return all() ? 0 : m_intervals.back().last; }
    // How many of solutions 1 .. total are asked for.
    std::int64_t countOf(std::int64_t total) const;
    // Whether solution `number` is asked for. Numbers must be asked in increasing order, as a walk
    // through the solution file meets them: the walk keeps its place in the intervals.
    bool containsNext(std::int64_t number);

  private:
    std::vector<Interval> m_intervals;  // sorted, not overlapping
    std::size_t m_nNext = 0;
};
