#pragma once

struct Piece;

// The search's contract with whoever runs it: the window, the command-line solver, a worker thread or
// a test. The search calls these at fixed points, so that every engine produces the same sequence.
class SearchHooks {
  public:
    virtual ~SearchHooks() = default;

    // Every 101st step, counted from the start.
    virtual void pumpMessages() = 0;
    // Checked at the start of every step: true once the user asked to stop.
    virtual bool interruptRequested() = 0;
    // The search reached a depth deeper than the one drawn last: redraw the partial tiling of depth
    // 0 .. depth - 1 and show the running count.
    virtual void onNewDepth(int depth) = 0;
    // While steps are shown: a Placement placed (value = piece index) or removed (value = 64).
    virtual void drawPlacement(int value, int placement) = 0;
    // A solution of `depth` Placements: chosenPlacement[0 .. depth - 1].
    virtual void recordSolution(int depth) = 0;
    // Before each candidate at depth 0: the piece tried and the progress in per cent.
    virtual void showFirstPieceStatus(int percent, const Piece& piece) = 0;
};
