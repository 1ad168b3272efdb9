// The search modes of the window ("Elke betegeling eenmaal", "Uniek op draaien en spiegelen na",
// "Open vakjes toegestaan") and the counts of the last search ("Tellingen").
#include "search/search_modes.h"
#include "view/command_ids.h"
#include "view/trianzoid_view.h"

std::string CTrianzoidView::tilingCountsText() const {
    std::string lines = tilingCountLines(m_tilingCounts);
    if (!lines.empty() && lines.back() == '\n') lines.pop_back();
    return "Aantal oplossingen " + std::to_string(m_state.solutionCount) + "\n" + lines;
}

int CTrianzoidView::searchModes() const {
    return (m_bEachTilingOnce || m_bOnePerSymmetryClass ? SearchMode::EachTilingOnce : 0) |
           (m_bOnePerSymmetryClass ? SearchMode::OnePerSymmetryClass : 0) |
           (m_bCellsMayStayOpen ? SearchMode::CellsMayStayOpen : 0) |
           (m_bCountOnly ? SearchMode::CountOnly : 0);
}

CommandState CTrianzoidView::searchModeState(int id) const {
    // A mode is read when a search is prepared and steers it to its end: it stays as it is meanwhile.
    const bool idle = (ViewMode == kEditing || ViewMode == kShowingSolutions) && !m_bPreparingSearch;
    switch (id) {
        case Cmd::EachTilingOnce:
            return {idle, m_bEachTilingOnce || m_bOnePerSymmetryClass};
        case Cmd::OnePerSymmetryClass:
            return {idle, m_bOnePerSymmetryClass};
        case Cmd::CellsMayStayOpen:
            return {idle, m_bCellsMayStayOpen};
        case Cmd::TilingCounts:
            return {idle && m_bTilingCountsKnown, false};
        default:
            return {true, false};
    }
}

void CTrianzoidView::OnSearchModeCommand(int id) {
    switch (id) {
        case Cmd::EachTilingOnce:
            // One per symmetry class finds each tiling once too: switching this off switches both off.
            if (m_bEachTilingOnce || m_bOnePerSymmetryClass) {
                m_bEachTilingOnce = false;
                m_bOnePerSymmetryClass = false;
            } else {
                m_bEachTilingOnce = true;
            }
            break;
        case Cmd::OnePerSymmetryClass:
            m_bOnePerSymmetryClass = !m_bOnePerSymmetryClass;
            if (m_bOnePerSymmetryClass) m_bEachTilingOnce = true;
            break;
        case Cmd::CellsMayStayOpen:
            m_bCellsMayStayOpen = !m_bCellsMayStayOpen;
            break;
        case Cmd::TilingCounts:
            m_platform.messageBox(tilingCountsText(), "Tellingen", MessageButtons::Ok, MessageIcon::None);
            break;
        default:
            break;
    }
}
