#include "search/search_events.h"

#include <algorithm>

#include "pieces/piece.h"

void EventRecorder::appendPath(std::int32_t kind, int depth) {
    std::vector<std::int32_t> values;
    values.reserve(static_cast<std::size_t>(depth) + 2);
    values.push_back(kind);
    values.push_back(depth);
    values.insert(values.end(), m_state.chosenPlacement.begin(), m_state.chosenPlacement.begin() + depth);
    append(values);
}

bool replayEvents(std::span<const std::int32_t> events, SearchState& state, std::span<Piece> pieces,
                  SearchHooks& hooks) {
    std::size_t i = 0;
    while (i + 2 <= events.size()) {
        if (hooks.interruptRequested()) return false;
        const std::int32_t kind = events[i];
        const std::int32_t value = events[i + 1];
        i += 2;
        if (kind == kFirstPieceEvent) {
            hooks.showFirstPieceStatus(value, pieces[static_cast<std::size_t>(events[i])]);
            ++i;
            continue;
        }
        const auto n = static_cast<std::size_t>(value);
        if (state.chosenPlacement.size() < n) state.chosenPlacement.resize(n);
        std::copy_n(events.begin() + static_cast<std::ptrdiff_t>(i), n, state.chosenPlacement.begin());
        i += n;
        state.currentDepth = value;
        if (kind == kSolutionEvent) {
            hooks.recordSolution(value);
        } else if (value > state.shownDepth) {
            hooks.onNewDepth(value);
            state.shownDepth = value;
            state.showSteps = 0;
        }
    }
    return true;
}

bool eventsValid(std::span<const std::int32_t> events, int placements, int pieceCount, int maxDepth) {
    std::size_t i = 0;
    while (i < events.size()) {
        if (events.size() - i < 2) return false;
        const std::int32_t kind = events[i];
        const std::int32_t value = events[i + 1];
        i += 2;
        if (kind == kFirstPieceEvent) {
            if (i >= events.size() || value < 0 || value > 100) return false;
            if (events[i] < 0 || events[i] >= pieceCount) return false;
            ++i;
            continue;
        }
        if (kind != kDepthEvent && kind != kSolutionEvent) return false;
        if (value < 0 || value > maxDepth || static_cast<std::size_t>(value) > events.size() - i)
            return false;
        for (std::int32_t d = 0; d < value; ++d, ++i)
            if (events[i] < 0 || events[i] >= placements) return false;
    }
    return true;
}
