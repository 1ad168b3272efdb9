#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>

#include "solutions/solution_records.h"
#include "view/trianzoid_view.h"

void CTrianzoidView::ShowSolution(DrawingSurface& dc, int k) {
    std::ifstream file(m_szSolutionName, std::ios::binary);
    if (!file) {
        // Painting calls this too, and a message box makes the window paint again when it closes:
        // the missing file is reported once per entry into the display.
        if (!m_bSolutionFileReported) {
            m_bSolutionFileReported = true;
            m_platform.messageBox("Oplossingenbestand is er niet", m_szSolutionName, MessageButtons::Ok,
                                  MessageIcon::Exclamation);
        }
        return;
    }
    // A solution that is not in the file (a letter-mode search writes none, a damaged file has fewer)
    // draws nothing and leaves the status text alone.
    const std::optional<SolutionFileIndex::Stamp> stamp = SolutionFileIndex::stampOf(m_szSolutionName);
    if (!stamp) return;
    const std::optional<SolutionBlock> block =
        m_solutionIndex.find(file, *stamp, k, m_bEqualSolutionLengths ? m_nSolutionPieces : -1);
    if (!block) return;
    file.clear();
    file.seekg(block->offset);
    std::int32_t count = 0;
    if (!readLittleEndianInt32(file, count) || count != block->count) return;  // not a block of this search

    // The pieces of the solution shown before are forgotten first: the Board then holds this solution
    // alone. Where that one covered cells that this one leaves open, the window is drawn afresh.
    const std::vector<CellPos> earlier = forgetCoveredCells();
    for (std::int32_t i = 0; i < count; ++i) {
        PlacementRecord r;
        if (!readPlacementRecord(file, r)) break;
        if (!placementFitsBoard(m_doc, r)) continue;
        const Piece& piece = m_doc.m_pieces[static_cast<std::size_t>(r.piece)];
        DrawPiece(dc, piece, r.orientation, piece.colorNumber, r.anchorX, r.anchorY);
    }
    const bool leftOpen = std::any_of(earlier.begin(), earlier.end(), [this](const CellPos& cell) {
        return m_doc.cell(cell.x, cell.y) == kOpenCell;
    });
    if (leftOpen && !dc.isPrinting()) m_platform.invalidateView();
    ShowStatus("Oplossing " + std::to_string(m_nCurrentSolution + 1) + "/" +
               std::to_string(m_state.solutionCount));
}

void CTrianzoidView::OnShowSolutions(bool colour) {
    if (ViewMode != kEditing || m_state.solutionCount <= 0) return;
    ViewMode = kShowingSolutions;
    m_bColourSolutions = colour;
    m_platform.invalidateView();
    m_nCurrentSolution = 0;
    m_bSolutionFileReported = false;
    ShowSolution(m_platform.clientSurface(), 0);
}

void CTrianzoidView::OnFirstSolution() {
    if (ViewMode != kShowingSolutions) return;
    m_nCurrentSolution = 0;
    ShowSolution(m_platform.clientSurface(), 0);
}

void CTrianzoidView::OnNextSolution() {
    if (ViewMode != kShowingSolutions) return;
    if (m_nCurrentSolution < m_state.solutionCount - 1)
        ++m_nCurrentSolution;
    else if (m_bSound)
        m_platform.beep(BeepSound::Exclamation);
    ShowSolution(m_platform.clientSurface(), m_nCurrentSolution);
}

void CTrianzoidView::OnPreviousSolution() {
    if (ViewMode != kShowingSolutions) return;
    if (m_nCurrentSolution > 0)
        --m_nCurrentSolution;
    else if (m_bSound)
        m_platform.beep(BeepSound::Exclamation);
    ShowSolution(m_platform.clientSurface(), m_nCurrentSolution);
}

void CTrianzoidView::OnLastSolution() {
    if (ViewMode != kShowingSolutions) return;
    m_nCurrentSolution = m_state.solutionCount - 1;
    ShowSolution(m_platform.clientSurface(), m_nCurrentSolution);
}

void CTrianzoidView::OnDoneSolutions() {
    if (ViewMode != kShowingSolutions) return;
    ViewMode = kEditing;
    ClearPieceCells();
    m_platform.invalidateView();
}
