#include "board/document_image.h"
#include "view/command_ids.h"
#include "view/trianzoid_view.h"

namespace {

bool inRange(int id, int first, int last) {
    return id >= first && id <= last;
}

}  // namespace

CommandState CTrianzoidView::commandState(int id) const {
    const bool searching = ViewMode == kSearching || ViewMode == kInterruptRequested;
    switch (id) {
        // Nothing may replace the Board or the pieces under a running search.
        case Cmd::FileNew:
        case Cmd::FileOpen:
            return {!searching, false};
        case Cmd::Search:
        case Cmd::PopupSearch:
        case Cmd::SearchSpecial:
        case Cmd::PopupSearchSpecial:
            // While editing, the Board and the pieces as they are now, whenever they last were drawn.
            return {(ViewMode == kEditing ? currentReadiness() : m_nReadiness) >= 0, false};
        case Cmd::Interrupt:
        case Cmd::PopupInterrupt:
        case Cmd::NextFirst:
            return {ViewMode == kSearching, false};
        case Cmd::ShowSolutionsBw:
        case Cmd::PopupShowSolutionsBw:
        case Cmd::ShowSolutionsColour:
        case Cmd::PopupShowSolutionsColour:
            return {ViewMode == kEditing && m_state.solutionCount > 0, false};
        case Cmd::FirstSolution:
        case Cmd::NextSolution:
        case Cmd::PreviousSolution:
        case Cmd::LastSolution:
        case Cmd::DoneSolutions:
            return {ViewMode == kShowingSolutions, false};
        case Cmd::ExportSolutions:
            return {(ViewMode == kEditing || ViewMode == kShowingSolutions) && m_state.solutionCount > 0,
                    false};
        case Cmd::ShowPieces:
        case Cmd::ShowPiecesOrientations:
            return {!m_doc.m_szPieceFile.empty(), false};
        case Cmd::BoardShape:
            return {ViewMode == kEditing, false};
        case Cmd::Sound:
            return {true, m_bSound};
        case Cmd::LetterSolution:
            return {true, m_bLetterSolution};
        case Cmd::EachTilingOnce:
        case Cmd::OnePerSymmetryClass:
        case Cmd::CellsMayStayOpen:
        case Cmd::TilingCounts:
            return searchModeState(id);
        default:
            break;
    }
    if (inRange(id, Cmd::FileMru1, Cmd::FileMru1 + 9)) return {!searching, false};
    if (inRange(id, Cmd::FillGrey, Cmd::FillYellow)) return {true, m_nFillColour == id - Cmd::FillGrey};
    if (inRange(id, Cmd::ToolFillGrey, Cmd::ToolFillYellow))
        return {true, m_nFillColour == id - Cmd::ToolFillGrey};
    return {true, false};
}

bool CTrianzoidView::OnCommand(int id) {
    if (inRange(id, Cmd::FillGrey, Cmd::FillYellow)) {
        m_nFillColour = id - Cmd::FillGrey;
        return true;
    }
    if (inRange(id, Cmd::ToolFillGrey, Cmd::ToolFillYellow)) {
        m_nFillColour = id - Cmd::ToolFillGrey;
        return true;
    }
    // Commands that are greyed out do nothing, also when they arrive by another road (a key).
    if (!commandState(id).enabled) return true;
    switch (id) {
        case Cmd::BackgroundColour:
            OnBackgroundColour();
            return true;
        case Cmd::ClearBoard:
            if (ViewMode == kEditing) {
                const auto before = documentImage(m_doc);
                m_doc.ClearBoard();
                markModifiedIfChanged(before);
                m_platform.invalidateView();
            }
            return true;
        case Cmd::ClearPieceCellsRedraw:
            ClearPieceCells();
            m_platform.invalidateView();
            return true;
        case Cmd::ClearPieceCells:
            ClearPieceCells();
            return true;
        case Cmd::OpenPieceFile:
        case Cmd::PopupOpenPieceFile:
            OpenPieceFile();
            return true;
        case Cmd::Search:
        case Cmd::PopupSearch:
            runSearch(false);
            return true;
        case Cmd::SearchSpecial:
        case Cmd::PopupSearchSpecial:
            runSearch(true);
            return true;
        case Cmd::Interrupt:
        case Cmd::PopupInterrupt:
            ViewMode = kInterruptRequested;
            return true;
        case Cmd::NextFirst:
            m_state.skipToNextFirst = 1;
            m_bSkippedFirst = true;
            return true;
        case Cmd::Sound:
            m_bSound = !m_bSound;
            return true;
        case Cmd::LetterSolution:
            m_bLetterSolution = !m_bLetterSolution;
            return true;
        case Cmd::EachTilingOnce:
        case Cmd::OnePerSymmetryClass:
        case Cmd::CellsMayStayOpen:
        case Cmd::TilingCounts:
            OnSearchModeCommand(id);
            return true;
        case Cmd::ShowSolutionsBw:
        case Cmd::PopupShowSolutionsBw:
            OnShowSolutions(false);
            return true;
        case Cmd::ShowSolutionsColour:
        case Cmd::PopupShowSolutionsColour:
            OnShowSolutions(true);
            return true;
        case Cmd::FirstSolution:
            OnFirstSolution();
            return true;
        case Cmd::NextSolution:
            OnNextSolution();
            return true;
        case Cmd::PreviousSolution:
            OnPreviousSolution();
            return true;
        case Cmd::LastSolution:
            OnLastSolution();
            return true;
        case Cmd::DoneSolutions:
            OnDoneSolutions();
            return true;
        default:
            return false;
    }
}
