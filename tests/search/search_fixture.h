#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pieces/piece_set.h"
#include "search/backtracking_search.h"
#include "search/placement_table.h"
#include "tests/support/hand_pieces.h"

namespace searchtest {

// Hooks that remember every call, and let a test act at a pump or a solution.
struct RecordingHooks : SearchHooks {
    const SearchState* state = nullptr;
    std::vector<std::vector<int>> solutions;  // chosenPlacement[0 .. depth - 1] of each
    std::vector<std::string> events;          // "pump", "depth d", "first p% label", "draw v j", "solution d"
    bool interrupt = false;
    long pumps = 0;
    std::function<void(long)> onPump;
    std::function<void(int)> onSolution;

    void pumpMessages() override {
        ++pumps;
        events.push_back("pump");
        if (onPump) onPump(pumps);
    }
    bool interruptRequested() override { return interrupt; }
    void onNewDepth(int depth) override { events.push_back("depth " + std::to_string(depth)); }
    void drawPlacement(int value, int placement) override {
        events.push_back("draw " + std::to_string(value) + " " + std::to_string(placement));
    }
    void recordSolution(int depth) override {
        solutions.emplace_back(state->chosenPlacement.begin(), state->chosenPlacement.begin() + depth);
        events.push_back("solution " + std::to_string(depth));
        if (onSolution) onSolution(static_cast<int>(solutions.size()));
    }
    void showFirstPieceStatus(int percent, const Piece& piece) override {
        events.push_back("first " + std::to_string(percent) + "% " + labelOf(piece));
    }
    static std::string labelOf(const Piece& piece) {
        std::string label;
        for (char c : piece.label) {
            if (c == '\0') break;
            label += c;
        }
        return label;
    }
};

// A Board, its pieces, the table and a prepared state, as the driver prepares them.
struct SearchSetup {
    Board board;
    PieceSet pieces;
    FreeCellIndex index;
    PlacementTable table;
    SearchState state;
    RecordingHooks hooks;

    void prepare() {
        numberFreeCells(index, board);
        buildPlacementTable(table, index, pieces, board.rowLength(), board.m_nHeight);
        state = SearchState{};
        state.coveredMask.assign(static_cast<std::size_t>(table.wordsPerMask), 0u);
        state.candidateCounts.assign(static_cast<std::size_t>(index.freeCellCount), 0);
        state.pieceCount = pieces.m_nPieces;
        for (int p = 0; p < pieces.m_nPieces; ++p) state.totalCopies += pieces.m_pieces[p].copies;
        hooks.state = &state;
    }
    BacktrackingSearch engine() {
        return BacktrackingSearch(table, index.freeCellCount, state, pieces.m_pieces, hooks);
    }
    void run() {
        prepare();
        engine().run();
    }
    int eventCount(const std::string& prefix) const {
        int n = 0;
        for (const auto& e : hooks.events) n += e.rfind(prefix, 0) == 0;
        return n;
    }
};

}  // namespace searchtest
