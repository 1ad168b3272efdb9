#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "board/trianzoid_doc.h"
#include "platform/clock.h"
#include "platform/headless_platform.h"
#include "view/trianzoid_view.h"

namespace fuzzing {

// The piece set every target works with: a single triangle, the two-triangle piece, a four-triangle
// chain and a nine-triangle strip, with few enough copies that a search finds solutions at once.
inline constexpr const char* kPieceFileText =
    "A1   4 1\n"
    "B2   3 2 0R\n"
    "C4   1 4 0R 1O 2L\n"
    "D9   1 9 0R 1L 2R 3L 4R 5L 6R 7L\n";

// A folder of its own for one fuzzing process, removed when the process ends: the fixed piece file
// and the solution files of the searches live there.
struct Workspace {
    std::string folder;
    std::string pieceFile;     // holds kPieceFileText
    std::string documentPath;  // where the opened document is taken to lie
    CTrianzoidDoc pieces;      // the fixed piece file, read once
};
Workspace& workspace();

// A clock that stands still, so that every run writes the same texts.
class StillClock : public Clock {
  public:
    std::time_t now() override { return 945353109; }
    std::tm localTime(std::time_t t) override {
        std::tm fields{};
        gmtime_r(&t, &fields);
        return fields;
    }
};

// A finding that is not a crash but a broken promise of the program.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}
inline void check(bool condition, const char* what) {
    if (!condition) fail(what);
}

// Interrupts a search through the view once it has pumped `pumps` times while searching, as a user
// pressing "Onderbreek" would; the search ends after at most that many pumps of 101 steps.
void interruptAfter(HeadlessPlatform& platform, CTrianzoidView& view, int pumps);

// What every search must leave behind: editing mode, no covered cell in the active area, every
// piece's copies back at their start values.
void checkAfterSearch(const CTrianzoidView& view, const CTrianzoidDoc& doc, const PieceSet& before);

// The Board of the piece file and solution file targets: row length 15, 8 rows, a few blocked cells
// in several colours so that not every anchor fits and the display has cells it must not draw over.
void fixedBoard(Board& board);

std::string writeFile(const std::string& name, const std::uint8_t* data, std::size_t size);

}  // namespace fuzzing
