// A ".opb" solution file as the solution display reads it, against the fixed piece set: records that
// name slots and orientations that do not exist, counts that disagree with the search's, blocks cut
// short, and the file cut or removed while it is shown.
//
// Input: the solution file, followed by eight bytes that steer the display (taken from the end when
// the input holds at least eight bytes):
//   0      the search's number of solutions, a signed byte
//   1      the placements of its last solution, a signed byte
//   2      bit 0: another piece file of one piece has been read since the search; bit 1: colour;
//          bit 2: all solutions of the search had the same number of placements
//   3 .. 7 five commands, each byte % 8: first, next, previous, last, repaint, done and enter
//          again, cut the file to half its length, remove the file
#include <filesystem>

#include "platform/recording_surface.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr std::size_t kTrailer = 8;

bool blockedCellsKept(const Board& board, const Board& original) {
    for (std::size_t i = 0; i < board.m_cells.size(); ++i)
        if (original.m_cells[i] > kOpenCell && board.m_cells[i] != original.m_cells[i]) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Workspace& w = fuzzing::workspace();
    std::uint8_t steer[kTrailer] = {3, 3, 0, 1, 3, 2, 4, 0};
    std::size_t fileSize = size;
    if (size >= kTrailer) {
        fileSize = size - kTrailer;
        std::copy(data + fileSize, data + size, steer);
    }
    const std::string path = fuzzing::writeFile("trianzoid1508.opb", data, fileSize);

    CTrianzoidDoc doc;
    fuzzing::fixedBoard(doc);
    doc.m_pieces = w.pieces.m_pieces;
    doc.m_nPieces = (steer[2] & 1) != 0 ? 1 : w.pieces.m_nPieces;
    doc.m_nPieceTriangles = w.pieces.m_nPieceTriangles;
    const Board original = doc;

    HeadlessPlatform platform;
    fuzzing::StillClock clock;
    CTrianzoidView view(doc, platform, clock);
    view.m_szSolutionName = path;
    view.m_state.solutionCount = static_cast<std::int8_t>(steer[0]);
    view.m_nSolutionPieces = static_cast<std::int8_t>(steer[1]);
    const bool colour = (steer[2] & 2) != 0;
    view.m_bEqualSolutionLengths = (steer[2] & 4) != 0;

    RecordingSurface surface(false, false);
    view.OnShowSolutions(colour);
    std::size_t entries = 1;
    for (std::size_t i = 3; i < kTrailer; ++i) {
        switch (steer[i] % 8) {
            case 0:
                view.OnFirstSolution();
                break;
            case 1:
                view.OnNextSolution();
                break;
            case 2:
                view.OnPreviousSolution();
                break;
            case 3:
                view.OnLastSolution();
                break;
            case 4:
                view.OnDraw(surface, {0, 0, 640, 480});
                break;
            case 5:
                view.OnDoneSolutions();
                view.OnShowSolutions(!colour);
                ++entries;
                break;
            case 6: {
                std::error_code error;
                const auto length = std::filesystem::file_size(path, error);
                if (!error) std::filesystem::resize_file(path, length / 2, error);
                break;
            }
            default: {
                std::error_code error;
                std::filesystem::remove(path, error);
                break;
            }
        }
        fuzzing::check(blockedCellsKept(doc, original), "the display never draws over a blocked cell");
        fuzzing::check(platform.messages.size() <= entries, "a missing file is reported once per entry");
        if (view.m_state.solutionCount > 0)
            fuzzing::check(view.ViewMode == kShowingSolutions && view.m_nCurrentSolution >= 0 &&
                               view.m_nCurrentSolution < view.m_state.solutionCount,
                           "the display shows one of the search's solutions");
    }
    view.OnDoneSolutions();
    fuzzing::check(view.ViewMode == kEditing, "leaving the display returns to editing");
    fuzzing::check(doc.m_cells == original.m_cells, "leaving the display restores the Board");
    return 0;
}
