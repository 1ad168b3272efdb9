// A ".trz" document from anyone: opened, drawn at several sizes, edited at its corners, its readiness
// computed, searched (interrupted after a while) and its solutions browsed.
//
// Input: the document file (its first 2054 bytes are the document, as the program reads it). One
// byte after the document, when present, steers the run:
//   bit 0     read the fixed piece file again, as opening a document does (else the document's own
//             piece counts stand over slots left from an earlier document)
//   bit 1     the reference engine instead of the fast one
//   bit 2     wait at each solution ("Zoeken speciaal")
//   bit 3     letter mode
//   bits 4-5  pumps before the interrupt, 1 .. 4
#include <algorithm>
#include <span>

#include "board/document_image.h"
#include "platform/recording_surface.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

Point centreOf(const CTrianzoidView& view, const CTrianzoidDoc& doc, int col, int row) {
    const auto v = CellVertices(view.m_geometry, doc.m_nMargin, col, row);
    return {(v[0].x + v[1].x + v[2].x) / 3, (v[0].y + v[1].y + v[2].y) / 3};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Workspace& w = fuzzing::workspace();
    const std::uint8_t steer = size > kDocumentImageSize ? data[kDocumentImageSize] : 0;

    CTrianzoidDoc doc;
    doc.m_pieces = w.pieces.m_pieces;  // the slots survive New and Open
    const std::vector<std::uint8_t> shown = documentImage(doc);
    if (!loadDocumentImage(doc, std::span<const std::uint8_t>(data, std::min(size, kDocumentImageSize)))) {
        fuzzing::check(documentImage(doc) == shown, "a document that is no Board changes nothing");
        return 0;
    }
    HeadlessPlatform platform;
    fuzzing::StillClock clock;
    CTrianzoidView view(doc, platform, clock);
    view.m_strOutputDir = w.folder;
    view.m_engineKind = (steer & 2) != 0 ? EngineKind::Reference : EngineKind::Fast;
    view.m_bLetterSolution = (steer & 8) != 0;
    if ((steer & 1) != 0) {
        // Never a path of the input: that could name a device that blocks.
        doc.m_szPieceFile = w.pieceFile;
        view.OnInitialUpdate(w.documentPath);
        fuzzing::check(doc.m_nPieces == 4, "the piece file is read again");
    }

    RecordingSurface surface(false, false);
    for (const Rect& rect : {Rect{0, 0, 1, 1}, Rect{0, 0, 4000, 3000}, Rect{7, 9, 300, 200}})
        view.OnDraw(surface, rect);
    RecordingSurface page(true, false);
    view.m_rectPrint = {0, 0, 2400, 3300};
    view.OnDraw(page, {0, 0, 640, 480});

    // A click near each corner of the Board, plain, mirrored and as a rectangle.
    view.OnDraw(surface, {0, 0, 1280, 960});
    const int right = std::clamp(doc.rowLength(), 1, BOARD_COLUMNS) - 1;
    const int bottom = std::clamp(static_cast<int>(doc.m_nHeight), 1, BOARD_ROWS) - 1;
    const unsigned flags[] = {0u, MK_CONTROL, MK_SHIFT, MK_SHIFT | MK_CONTROL};
    int click = 0;
    for (const auto& [col, row] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}})
        view.OnLButtonUp(flags[click++], centreOf(view, doc, col, row));
    view.OnLButtonUp(0, {-5, -5});
    view.OnLButtonUp(0, {100000, 100000});

    view.m_nReadiness = view.UpdateReadiness();
    const PieceSet before = doc;
    platform.defaultAnswer = MessageAnswer::Yes;
    fuzzing::interruptAfter(platform, view, 1 + ((steer >> 4) & 3));
    view.runSearch((steer & 4) != 0);
    fuzzing::checkAfterSearch(view, doc, before);

    if (view.m_state.solutionCount > 0) {
        view.OnShowSolutions(true);
        view.OnNextSolution();
        view.OnLastSolution();
        view.OnDraw(surface, {0, 0, 640, 480});
        view.OnDoneSolutions();
        fuzzing::check(view.ViewMode == kEditing, "leaving the solutions returns to editing");
    }
    return 0;
}
