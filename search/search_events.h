#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "pieces/piece.h"
#include "search/search_hooks.h"
#include "search/search_state.h"

// What a part of the search told its hooks, as a flat stream of 32-bit values, so that it can be kept
// while earlier parts still run (or written to a part file) and be played back later on the real
// hooks in the order of the whole search.
//
// Events:
//   kDepthEvent d p0 .. p(d-1)   a step at depth d deeper than any earlier step of the same part, with
//                                the Placements above it. Played back as onNewDepth(d) only when d is
//                                deeper than anything shown before: the parts before it may have gone
//                                deeper already.
//   kSolutionEvent n p0 .. p(n-1)  recordSolution(n).
//   kFirstPieceEvent percent p   showFirstPieceStatus before a depth-0 candidate of piece slot p.
// Pumps are not recorded: they only keep a window alive, and the player pumps on its own.
inline constexpr std::int32_t kDepthEvent = 1;
inline constexpr std::int32_t kSolutionEvent = 2;
inline constexpr std::int32_t kFirstPieceEvent = 3;

// Hooks that append every event to a stream.
class EventRecorder : public SearchHooks {
  public:
    EventRecorder(const SearchState& state, std::span<const Piece> pieces)
        : m_state(state), m_pieces(pieces) {}

    void pumpMessages() override {}
    bool interruptRequested() override { return false; }
    void onNewDepth(int depth) override { appendPath(kDepthEvent, depth); }
    void drawPlacement(int, int) override {}
    void recordSolution(int depth) override { appendPath(kSolutionEvent, depth); }
    void showFirstPieceStatus(int percent, const Piece& piece) override {
        const std::int32_t values[3] = {kFirstPieceEvent, percent,
                                        static_cast<std::int32_t>(&piece - m_pieces.data())};
        append(values);
    }

  protected:
    // Where the values go; the recorder of a worker thread hands them on under its lock.
    virtual void append(std::span<const std::int32_t> values) {
        m_events.insert(m_events.end(), values.begin(), values.end());
    }

  public:
    std::vector<std::int32_t> m_events;

  private:
    void appendPath(std::int32_t kind, int depth);
    const SearchState& m_state;
    std::span<const Piece> m_pieces;
};

// Plays a stream back on the real hooks, as the whole search would have called them: the Placements of
// each event go into state.chosenPlacement first. Stops before the first event after an interrupt
// request and then returns false.
bool replayEvents(std::span<const std::int32_t> events, SearchState& state, std::span<Piece> pieces,
                  SearchHooks& hooks);

// Whether a stream is well formed for a table of `placements` Placements, `pieceCount` piece slots and
// steps no deeper than `maxDepth`: every event complete, every value in range. Streams from files are
// checked with this before they are played.
bool eventsValid(std::span<const std::int32_t> events, int placements, int pieceCount, int maxDepth);

// Calls solution(placements) for the Placements of every solution event of a well-formed stream, in
// order, until it returns false; returns false then.
template <class Solution>
bool forEachSolution(std::span<const std::int32_t> events, Solution solution) {
    for (std::size_t i = 0; i + 2 <= events.size();) {
        const std::int32_t kind = events[i];
        const auto n = static_cast<std::size_t>(events[i + 1]);
        i += 2;
        if (kind == kFirstPieceEvent) {
            ++i;
            continue;
        }
        if (kind == kSolutionEvent && !solution(events.subspan(i, n))) return false;
        i += n;
    }
    return true;
}
