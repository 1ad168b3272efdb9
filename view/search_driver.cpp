#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>

#include "search/search_modes.h"
#include "solutions/time_text.h"
#include "view/trianzoid_view.h"

namespace {

constexpr const char* kOops = "Oei";

std::string runningText(int solutions) {
    return "Zoeken bezig, aantal oplossingen " + std::to_string(solutions);
}

// a after `copies` steps of the checkerboard rule with imbalance b. For a >= -1 the values fall by b
// until they are below b and then alternate with period 2 (or stay, for b = 0), so a huge copies
// count from a piece file is settled from the first repetition instead of by billions of steps.
int applyCopies(int a, int b, std::int64_t copies) {
    int before = INT_MIN;
    int last = INT_MIN;
    for (std::int64_t i = 0; i < copies; ++i) {
        if (i >= 2 && a == before) return (copies - i) % 2 == 0 ? a : last;
        before = last;
        last = a;
        a = b > a ? a + b : a - b;
    }
    return a;
}

}  // namespace

bool CTrianzoidView::checkerboardAllowsSearch() {
    return checkerboardTest(m_nReadiness) == 0 ||
           m_platform.messageBox("Volgens de dambordmethode is een oplossing onmogelijk\nToch doorgaan?",
                                 "Dit lukt nooit", MessageButtons::YesNo,
                                 MessageIcon::Exclamation) != MessageAnswer::No;
}

bool CTrianzoidView::packingLeavesCellsOpen(SearchOutcome& outcome) const {
    if (!m_bCellsMayStayOpen) return false;
    const std::int64_t needed = placedTriangles(m_doc);
    const int open = m_doc.CountOpenCells().total;
    if (needed > open) {
        outcome.refusal = SearchOutcome::Refusal::NoRoom;
        outcome.errors.push_back({"Open vakjes toegestaan, maar de trianzoids hebben meer driehoeken (" +
                                      std::to_string(needed) + ") dan het veld open vakjes (" +
                                      std::to_string(open) + ")",
                                  kOops});
        return false;
    }
    return needed < open;
}

void CTrianzoidView::prepareCopies(SearchState& state) const {
    state.pieceCount = std::clamp(static_cast<int>(m_doc.m_nPieces), 0, kMaxPieces);
    // A search path of this depth is a solution. Negative copies lower it; the sum is held in range so
    // that absurd counts from a piece file cannot overflow it.
    std::int64_t copies = 0;
    for (int p = 0; p < state.pieceCount; ++p) copies += m_doc.m_pieces[static_cast<std::size_t>(p)].copies;
    state.totalCopies = static_cast<int>(std::clamp<std::int64_t>(copies, INT_MIN, INT_MAX));
}

int CTrianzoidView::prepareTable(bool showStatus) {
    const int freeCellCount = numberFreeCells(m_freeCells, m_doc);
    if (showStatus) ShowStatus("Bezig met passen en meten rotaties");
    buildPlacementTable(m_table, m_freeCells, m_doc, std::clamp(m_doc.rowLength(), 0, BOARD_COLUMNS),
                        std::clamp(static_cast<int>(m_doc.m_nHeight), 0, BOARD_ROWS));
    return freeCellCount;
}

std::string CTrianzoidView::outputFolderPath() const {
    std::error_code error;
    const std::filesystem::path folder = m_strOutputDir.empty() ? "." : m_strOutputDir;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    if (error) return m_strOutputDir;
    std::string text = absolute.lexically_normal().string();
    if (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

void CTrianzoidView::beginOutsideSearch() {
    ViewMode = kSearching;
}

void CTrianzoidView::endOutsideSearch() {
    ViewMode = kEditing;
}

bool CTrianzoidView::requestInterrupt() {
    if (ViewMode != kSearching && !(m_bPreparingSearch && ViewMode == kEditing)) return false;
    ViewMode = kInterruptRequested;
    return true;
}

void CTrianzoidView::showSearchErrors(const SearchOutcome& outcome) {
    for (const SearchOutcome::Message& error : outcome.errors)
        m_platform.messageBox(error.text, error.caption, MessageButtons::Ok, MessageIcon::Exclamation);
}

void CTrianzoidView::showSearchOutcome(const SearchOutcome& outcome) {
    showSearchErrors(outcome);
    if (outcome.started())
        m_platform.messageBox("Aantal oplossingen " + std::to_string(outcome.solutions), outcome.title,
                              MessageButtons::Ok, MessageIcon::None);
}

SearchOutcome CTrianzoidView::runSearch(bool waitFlag) {
    SearchOutcome outcome = search(waitFlag);
    showSearchOutcome(outcome);
    return outcome;
}

int CTrianzoidView::checkerboardTest(int a) {
    // Each piece copy changes the difference between down- and up-pointing open cells still to cover
    // by its own imbalance; a tiling needs it to end at 0. The method's rule: when b exceeds the running
    // value the two are added, otherwise b is taken off.
    const int pieces = std::clamp(static_cast<int>(m_doc.m_nPieces), 0, kMaxPieces);
    for (int p = 0; p < pieces; ++p) {
        const Piece& piece = m_doc.m_pieces[static_cast<std::size_t>(p)];
        if (piece.copies > 0) a = applyCopies(a, piece.parityImbalance, piece.copies);
    }
    return a;
}

SearchOutcome CTrianzoidView::search(bool waitFlag) {
    SearchOutcome outcome;
    m_state.waitForKey = waitFlag;
    m_nSearchRowLength = std::clamp(m_doc.rowLength(), 0, BOARD_COLUMNS);
    m_nSearchHeight = std::clamp(static_cast<int>(m_doc.m_nHeight), 0, BOARD_ROWS);
    m_state.skipToNextFirst = 0;
    // During a search the search commands only switch waiting on or off and cancel a pending skip; the
    // same holds while one is prepared (its last pump handles the window's events).
    if (ViewMode != kEditing || m_bPreparingSearch) return outcome;
    // The readiness of the pieces and the Board as they are now: never a search of a piece set that it
    // refuses (none, or a faulty piece file read after a good one).
    m_nReadiness = UpdateReadiness();
    if (m_nReadiness < 0) return outcome;
    if (const std::string fault = pieceFault(); !fault.empty()) {
        outcome.refusal = SearchOutcome::Refusal::BadPiece;
        outcome.errors.push_back({fault, kOops});
        return outcome;
    }

    // Packings: every piece must find room, and with cells to spare the checkerboard rule, which is about
    // covering every cell, does not apply.
    const bool cellsStayOpen = packingLeavesCellsOpen(outcome);
    if (outcome.refusal == SearchOutcome::Refusal::NoRoom) return outcome;
    if (!cellsStayOpen && !checkerboardAllowsSearch()) {
        outcome.refusal = SearchOutcome::Refusal::Checkerboard;
        return outcome;
    }

    // A search is prepared in this order, so that one that cannot start leaves every earlier file as it
    // was: everything it allocates up front, then the lock on its files, then the files under temporary
    // names, and only once it really starts the files under their own names. Every buffer is released
    // at its end, also when a step fails.
    std::unique_ptr<SearchEngine> engine;
    auto releaseSearch = [this, &engine] {
        engine.reset();
        m_logFile.discard();
        m_solutionFile.discard();
        m_outputLock.release();
        m_bPreparingSearch = false;
        m_state.coveredMask = {};
        m_state.candidateCounts = {};
        m_state.chosenPlacement = {};
        m_table = PlacementTable{};
        m_classCounter = TilingClassCounter{};
        m_fullTable = PlacementTable{};
        m_placementOrigin = {};
    };
    auto refuse = [this, &releaseSearch, &outcome](SearchOutcome::Refusal why, const std::string& text,
                                                   const std::string& caption) {
        releaseSearch();
        if (ViewMode == kInterruptRequested) ViewMode = kEditing;
        refreshReadiness();  // the status bar shows the Board again, not the preparation
        outcome.refusal = why;
        // A file that cannot be made or locked: the folder says where.
        outcome.errors.push_back(
            {why == SearchOutcome::Refusal::CannotWrite ? text + "\nMap: " + outputFolderPath() : text,
             caption});
        return outcome;
    };

    m_bPreparingSearch = true;
    m_bWriteFailed = false;
    prepareCopies(m_state);
    // With fewer triangles than open cells the search stops at the first uncovered cell that nothing can
    // cover, so it finds only some of the ways to leave cells open: its counts are then incomplete.
    const std::int64_t triangles = placedTriangles(m_doc);
    // The pieces' own copies, given back however the search ends (pooling may move them).
    struct OwnCopies {
        std::span<Piece> pieces;
        std::array<std::int32_t, kMaxPieces> copies{};
        int count = 0;
        void giveBack() {
            for (int p = 0; p < count; ++p)
                pieces[static_cast<std::size_t>(p)].copies = copies[static_cast<std::size_t>(p)];
        }
        ~OwnCopies() { giveBack(); }
    } ownCopies{std::span<Piece>(m_doc.m_pieces), {}, m_state.pieceCount};
    for (int p = 0; p < m_state.pieceCount; ++p)
        ownCopies.copies[static_cast<std::size_t>(p)] = m_doc.m_pieces[static_cast<std::size_t>(p)].copies;
    int freeCellCount = 0;
    try {
        freeCellCount = prepareTable(true);
        m_state.coveredMask.assign(static_cast<std::size_t>(wordsPerMaskFor(freeCellCount)), 0u);
        m_state.candidateCounts.assign(static_cast<std::size_t>(freeCellCount), 0);
        // Packings: the cells the pieces leave over may stay open (none on an exact fit: the ordinary
        // search, with its files).
        m_state.spareCells =
            cellsStayOpen ? static_cast<int>(std::max<std::int64_t>(freeCellCount - triangles, 0)) : 0;
        m_state.chosenPlacement.assign(static_cast<std::size_t>(freeCellCount) + 1, 0);
        // The modes: pooled copies are given back when the search ends, whatever way it ends.
        m_state.eachTilingOnce = m_bEachTilingOnce || m_bOnePerSymmetryClass;
        m_bCanonicalTest =
            applySearchModes(searchModes(), triangles == freeCellCount || m_state.spareCells > 0, m_table,
                             m_freeCells, m_doc.m_pieces, m_doc.m_nPieces, m_classCounter, m_fullTable,
                             m_placementOrigin, m_state.spareCells);
        m_classCounter.setCounting(m_classCounting);

        // The engine makes its own arrays (and those of its threads) here, before any file exists.
        const std::span<Piece> pieces(m_doc.m_pieces);
        engine = m_engineFactory
                     ? m_engineFactory(m_table, freeCellCount, m_state, pieces, *this)
                     : makeSearchEngine(m_engineKind, m_table, freeCellCount, m_state, pieces, *this);
    } catch (const std::bad_alloc&) {
        return refuse(SearchOutcome::Refusal::NoMemory, "Onvoldoende geheugen", kOops);
    }

    m_szLogName = solutionFilePath(m_strOutputDir, m_nSearchRowLength, m_nSearchHeight, "opl");
    m_szSolutionName = solutionFilePath(m_strOutputDir, m_nSearchRowLength, m_nSearchHeight, "opb");
    // A count-only search writes no file, and so takes no lock.
    if (!m_bCountOnly) {
        const std::string lockName =
            solutionFilePath(m_strOutputDir, m_nSearchRowLength, m_nSearchHeight, "lock");
        switch (m_outputLock.acquire(lockName)) {
            case OutputLock::Result::Locked:
                break;
            case OutputLock::Result::Busy: {
                char name[32];
                std::snprintf(name, sizeof name, "trianzoid%02d%02d", m_nSearchRowLength, m_nSearchHeight);
                return refuse(SearchOutcome::Refusal::OutputInUse,
                              "Zoeken in deze map al bezig (" + std::string(name) + ")", kOops);
            }
            case OutputLock::Result::Failed:
                return refuse(SearchOutcome::Refusal::CannotWrite,
                              "Bestand niet te schrijven: " + m_outputLock.errorText(), lockName);
        }
        if (!m_logFile.createAside(m_szLogName))
            return refuse(SearchOutcome::Refusal::CannotWrite,
                          "Bestand niet te schrijven: " + m_logFile.errorText(), m_szLogName);
        if (!m_solutionFile.createAside(m_szSolutionName))
            return refuse(SearchOutcome::Refusal::CannotWrite,
                          "Bestand niet te schrijven: " + m_solutionFile.errorText(), m_szSolutionName);
    }

    m_state.solutionCount = 0;
    searchStartTime = m_clock.now();
    SearchHeader header;
    header.width = m_doc.m_nWidth;
    header.height = m_doc.m_nHeight;
    header.startTime = formatDateTime(m_clock.localTime(searchStartTime));
    std::string modes;
    if (m_bEachTilingOnce || m_bOnePerSymmetryClass) modes += ", elke betegeling eenmaal";
    if (m_bOnePerSymmetryClass) modes += ", uniek op draaien en spiegelen na";
    if (m_state.spareCells > 0) modes += ", open vakjes toegestaan";
    if (!modes.empty()) header.modes = modes.substr(2);
    header.pieceFile = m_doc.m_szPieceFile;
    header.pieces = m_doc.m_nPieces;
    header.triangles = m_doc.m_nPieceTriangles;
    header.cells = freeCellCount;
    // A failed write here shows at the first solution, or when the files are closed.
    for (SolutionWriter* writer : solutionWriters()) writer->begin(header);
    ShowStatus(runningText(0));
    m_state.stepCounter = 0;
    pumpMessages();
    // Interrupted while it was prepared: the search never started, and the earlier files stay.
    if (ViewMode == kInterruptRequested) {
        releaseSearch();
        ViewMode = kEditing;
        refreshReadiness();
        outcome.refusal = SearchOutcome::Refusal::Interrupted;
        return outcome;
    }
    m_bPreparingSearch = false;
    if (!m_bCountOnly) {
        if (!m_logFile.putInPlace())
            return refuse(SearchOutcome::Refusal::CannotWrite,
                          "Bestand niet te schrijven: " + m_logFile.errorText(), m_szLogName);
        if (!m_solutionFile.putInPlace())
            return refuse(SearchOutcome::Refusal::CannotWrite,
                          "Bestand niet te schrijven: " + m_solutionFile.errorText(), m_szSolutionName);
    }

    ViewMode = kSearching;
    m_state.shownDepth = 0;
    m_state.currentDepth = 0;
    m_state.steps = 0;
    m_bSkippedFirst = false;
    m_bLimitReached = false;
    m_platform.invalidateView();
    engine->run();
    engine.reset();
    ownCopies.giveBack();

    showFirstPieceStatus(-1, std::string());
    m_tilingCounts = m_classCounter.counts(ViewMode != kInterruptRequested && !m_bSkippedFirst &&
                                           (triangles >= freeCellCount || m_state.spareCells > 0));
    m_bTilingCountsKnown = true;
    const std::time_t endTime = m_clock.now();
    // Stopped at the limit of solutions, it did what was asked: a finished search, its counts incomplete.
    const bool interrupted = ViewMode == kInterruptRequested && !m_bLimitReached;
    outcome.refusal = SearchOutcome::Refusal::None;
    outcome.end = m_bWriteFailed ? SearchOutcome::End::WriteFailed
                  : interrupted  ? SearchOutcome::End::Interrupted
                                 : SearchOutcome::End::Finished;
    outcome.limitReached = m_bLimitReached && !m_bWriteFailed;
    const std::string title = m_bWriteFailed ? "Schrijffout" : interrupted ? "Onderbroken" : "Klaar";
    ViewMode = kEditing;
    ClearPieceCells();
    m_platform.invalidateView();

    // After a failed write the files hold the solutions before it: the count says how many.
    const bool solutionsWritten = m_bCountOnly || m_solutionFile.close();
    if (!solutionsWritten && !m_bLetterSolution) m_state.solutionCount = m_solutionFile.wholeRecords();
    if (!m_bCountOnly && m_logFile.failed() && m_bLetterSolution)
        m_state.solutionCount = std::max(m_logFile.wholeRecords() - 1, 0LL);
    m_strSearchSummary = title + ". Duur: " + formatDuration(static_cast<long>(endTime - searchStartTime)) +
                         ", aantal oplossingen " + std::to_string(m_state.solutionCount) + ", op " +
                         formatDateTime(m_clock.localTime(endTime));
    for (SolutionWriter* writer : solutionWriters()) writer->end(m_strSearchSummary);
    const bool logWritten = m_bCountOnly || m_logFile.close();
    releaseSearch();
    // A full disk or a vanished folder must not pass for a complete record of the search.
    if (!solutionsWritten)
        outcome.errors.push_back(
            {"Fout bij het schrijven van " + m_szSolutionName + ": " + m_solutionFile.errorText(), kOops});
    if (!logWritten)
        outcome.errors.push_back(
            {"Fout bij het schrijven van " + m_szLogName + ": " + m_logFile.errorText(), kOops});
    outcome.solutions = m_state.solutionCount;
    outcome.title = title;
    outcome.summary = m_strSearchSummary;
    outcome.counts = m_tilingCounts;
    return outcome;
}
