#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "solutions/time_text.h"
#include "view/trianzoid_view.h"

const std::vector<SolutionWriter*>& CTrianzoidView::solutionWriters() {
    // (Kept in a member, which keeps its room: the recorder asks at every solution.)
    if (m_bCountOnly)
        m_writers.clear();
    else if (m_bLetterSolution)
        m_writers.assign({&m_letterWriter});
    else
        m_writers.assign({&m_opbWriter, &m_oplWriter});
    return m_writers;
}

bool CTrianzoidView::writeSolution(SolutionWriter& writer, const SolutionData& solution) {
    if (writer.solution(solution)) return true;
    // The first failed write ends the search as an interrupt does: the files end at the last whole
    // solution, and the driver says what happened.
    m_bWriteFailed = true;
    ViewMode = kInterruptRequested;
    return false;
}

void CTrianzoidView::stopAtLimit() {
    // The engines deliver solutions in the order of a search on one thread and check the request before
    // the next one, so the files end with the first m_nSolutionLimit solutions of that order.
    if (m_nSolutionLimit <= 0 || m_state.solutionCount < m_nSolutionLimit) return;
    m_bLimitReached = true;
    ViewMode = kInterruptRequested;
}

void CTrianzoidView::RecordSolution(int n) {
    n = std::clamp(n, 0, static_cast<int>(m_state.chosenPlacement.size()));
    std::span<const int> chosen(m_state.chosenPlacement.data(), static_cast<std::size_t>(n));
    // (The scratch vectors keep their room from one solution to the next: there may be thousands a second.)
    if (!m_placementOrigin.empty()) {
        m_recordScratch.whole.clear();
        for (int j : chosen) m_recordScratch.whole.push_back(m_placementOrigin[static_cast<std::size_t>(j)]);
        chosen = m_recordScratch.whole;
    }
    if (m_bCanonicalTest && !m_classCounter.canonicalTiling(chosen)) return;
    // While all solutions have as many placements, the display finds each at a computed offset.
    m_bEqualSolutionLengths =
        m_state.solutionCount == 0 || (m_bEqualSolutionLengths && n == m_nSolutionPieces);
    m_nSolutionPieces = n;
    m_classCounter.add(chosen);
    if (m_bCountOnly) {
        // Counted, and nothing drawn or written: the progress reads the count.
        ++m_state.solutionCount;
        stopAtLimit();
        pumpMessages();
        return;
    }
    std::vector<PlacementRecord>& records = m_recordScratch.records;
    records.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        records[static_cast<std::size_t>(i)] =
            m_table.records[static_cast<std::size_t>(m_state.chosenPlacement[static_cast<std::size_t>(i)])];

    if (!m_bLetterSolution) {
        DrawingSurface& dc = m_platform.clientSurface();
        // Cells that earlier drawing left covered are opened first, so that the screen and the log show
        // this solution's pieces alone; those it leaves open are drawn open again after its pieces. Where
        // nothing is shown, only the Board learns the solution, for the log.
        const bool shows = dc.showsAnything();
        std::vector<CellPos>& earlier = m_recordScratch.covered;
        if (shows)
            forgetCoveredCells(earlier);
        else
            openCoveredCells();
        for (const PlacementRecord& r : records) {
            const Piece& piece = m_doc.m_pieces[static_cast<std::size_t>(r.piece)];
            DrawPiece(dc, piece, r.orientation, piece.colorNumber, r.anchorX, r.anchorY);
        }
        if (shows)
            for (const CellPos& cell : earlier)
                if (m_doc.cell(cell.x, cell.y) == kOpenCell) DrawCell(dc, cell.x, cell.y, kOpenCell);
    }

    // The first writer holds the solution proper: once it has it, the solution counts. In letter mode
    // that is the only one, and the solution is not shown.
    const SolutionData data{m_state.solutionCount + 1, records, m_doc, m_nSearchRowLength, m_nSearchHeight};
    const std::vector<SolutionWriter*>& writers = solutionWriters();
    if (!writeSolution(*writers.front(), data)) return;

    ++m_state.solutionCount;
    stopAtLimit();
    const std::string count = std::to_string(m_state.solutionCount);
    const std::string found =
        "Oplossing " + count + " na " + formatDuration(static_cast<long>(m_clock.now() - searchStartTime));
    ShowStatus(found);
    if (m_bLetterSolution) return;

    if (m_bSound) m_platform.beep(BeepSound::Default);
    for (std::size_t w = 1; w < writers.size(); ++w)
        if (!writeSolution(*writers[w], data)) return;

    m_state.showSteps = 0;
    ShowStatus(m_state.waitForKey ? found + ", toets iets..." : found);
    pumpMessages();
    if (m_state.waitForKey) {
        if (waitForKeyPress() == 27)
            ViewMode = kInterruptRequested;
        else
            ShowStatus("Zoeken hervat, aantal oplossingen " + count);
    } else {
        ShowStatus("Zoeken bezig, aantal oplossingen " + count);
    }
    pumpMessages();
}
