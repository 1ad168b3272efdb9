#include "solutions/solution_range.h"

#include <algorithm>

namespace {

constexpr std::int64_t kHighestNumber = 2147483647;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<std::int64_t> number(const std::string& text) {
    const std::string digits = trimmed(text);
    if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::int64_t value = std::stoll(digits);
    if (value < 1 || value > kHighestNumber) return std::nullopt;
    return value;
}

}  // namespace

std::optional<SolutionRange> SolutionRange::parse(const std::string& text) {
    SolutionRange range;
    const std::string whole = trimmed(text);
    if (whole.empty() || whole == "alle") return range;
    std::size_t start = 0;
    while (start <= whole.size()) {
        const std::size_t comma = std::min(whole.find(',', start), whole.size());
        const std::string item = whole.substr(start, comma - start);
        const std::size_t dash = item.find('-');
        const auto first = number(item.substr(0, dash));
        const auto last = dash == std::string::npos ? first : number(item.substr(dash + 1));
        if (!first || !last || *last < *first) return std::nullopt;
        range.m_intervals.push_back({*first, *last});
        start = comma + 1;
    }
    std::sort(range.m_intervals.begin(), range.m_intervals.end(),
              [](const Interval& a, const Interval& b) { return a.first < b.first; });
    std::vector<Interval> merged;
    for (const Interval& interval : range.m_intervals) {
        if (!merged.empty() && interval.first <= merged.back().last + 1)
            merged.back().last = std::max(merged.back().last, interval.last);
        else
            merged.push_back(interval);
    }
    range.m_intervals = std::move(merged);
    return range;
}

std::int64_t SolutionRange::countOf(std::int64_t total) const {
    if (all()) return std::max<std::int64_t>(total, 0);
    std::int64_t count = 0;
    for (const Interval& interval : m_intervals)
        count += std::max<std::int64_t>(0, std::min(interval.last, total) - interval.first + 1);
    return count;
}

bool SolutionRange::containsNext(std::int64_t number) {
    if (all()) return true;
    while (m_nNext < m_intervals.size() && m_intervals[m_nNext].last < number) ++m_nNext;
    return m_nNext < m_intervals.size() && m_intervals[m_nNext].first <= number;
}
