#include "solutions/search_summary.h"

#include "solutions/time_text.h"

std::string searchSummary(const std::string& title, long seconds, int solutionCount, const std::tm& end) {
    return title + ". Duur: " + formatDuration(seconds) + ", aantal oplossingen " + std::to_string(solutionCount) +
           ", op " + formatDateTime(end);
}
