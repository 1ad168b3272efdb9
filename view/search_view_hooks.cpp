// The view's side of a running search: the hooks the search calls, the status panes of the first
// level, the keys that steer the search, and the redraw of a partial tiling.
#include <algorithm>

#include "search/cover_mask.h"
#include "view/trianzoid_view.h"

void CTrianzoidView::pumpMessages() {
    m_platform.pumpMessages();
}

bool CTrianzoidView::interruptRequested() {
    return ViewMode == kInterruptRequested;
}

void CTrianzoidView::onNewDepth(int depth) {
    drawPartialTiling(depth);
    ShowStatus("Zoeken bezig, aantal oplossingen " + std::to_string(m_state.solutionCount));
}

void CTrianzoidView::drawPlacement(int value, int placement) {
    if (placement < 0 || placement >= m_table.placementCount) return;
    DrawingSurface& dc = m_platform.clientSurface();
    forEachSetBit(m_table.mask(placement), m_table.wordsPerMask, [&](int n) {
        const CellPos cell = m_freeCells.coordinates[static_cast<std::size_t>(n)];
        DrawCell(dc, cell.x, cell.y, value);
    });
}

void CTrianzoidView::recordSolution(int depth) {
    RecordSolution(depth);
}

void CTrianzoidView::showFirstPieceStatus(int percent, const Piece& piece) {
    showFirstPieceStatus(percent, labelText(piece));
}

void CTrianzoidView::showFirstPieceStatus(int percent, const std::string& name) {
    // At most two characters, ending early at a NUL.
    m_platform.setPaneText(2, name.substr(0, std::min(name.find('\0'), std::size_t{2})));
    m_platform.setPaneText(3, percent >= 0 && percent <= 100 ? std::to_string(percent) + "%" : std::string());
    pumpMessages();
}

int CTrianzoidView::waitForKeyPress() {
    return m_platform.waitForKeyPress();
}

void CTrianzoidView::OnKeyDown() {
    // Any key during a search forces a full redraw at the next step and switches the drawing of
    // every step on or off.
    if (ViewMode != kSearching) return;
    m_state.shownDepth = 0;
    m_state.showSteps = 1 - m_state.showSteps;
}

void CTrianzoidView::OnChar(int character) {
    if (character == 27 && ViewMode == kSearching) ViewMode = kInterruptRequested;
}

void CTrianzoidView::drawPartialTiling(int n) {
    const int rowLength = std::clamp(m_doc.rowLength(), 0, BOARD_COLUMNS);
    const int height = std::clamp(static_cast<int>(m_doc.m_nHeight), 0, BOARD_ROWS);
    for (int x = 0; x < rowLength; ++x)
        for (int y = 0; y < height; ++y)
            if (m_doc.cell(x, y) < kOpenCell) m_doc.cell(x, y) = kOpenCell;

    DrawingSurface& dc = m_platform.clientSurface();
    n = std::clamp(n, 0, static_cast<int>(m_state.chosenPlacement.size()));
    for (int d = 0; d < n; ++d) {
        const int j = m_state.chosenPlacement[static_cast<std::size_t>(d)];
        if (j < 0 || j >= static_cast<int>(m_table.records.size())) continue;
        const PlacementRecord& r = m_table.records[static_cast<std::size_t>(j)];
        const Piece& piece = m_doc.m_pieces[static_cast<std::size_t>(r.piece)];
        DrawPiece(dc, piece, r.orientation, piece.colorNumber, r.anchorX, r.anchorY);
    }
    for (int x = 0; x < rowLength; ++x)
        for (int y = 0; y < height; ++y)
            if (m_doc.cell(x, y) == kOpenCell) DrawCell(dc, x, y, kOpenCell);
}
