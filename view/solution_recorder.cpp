#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "view/trianzoid_view.h"
#include "solutions/time_text.h"

namespace {

// The log shows a covered cell by the label of the first piece slot with that colour number. A value
// that no slot has (a colour number changed under the search) shows as question marks. The labels are
// looked up once per solution, for every value a cell can hold.
std::array<std::string, kOpenCell> gridEntries(const CTrianzoidDoc& doc) {
    std::array<std::string, kOpenCell> entries;
    entries.fill("??");
    std::array<bool, kOpenCell> found{};
    const int pieces = std::clamp(static_cast<int>(doc.m_nPieces), 0, kMaxPieces);
    for (int p = 0; p < pieces; ++p) {
        const Piece& piece = doc.m_pieces[static_cast<std::size_t>(p)];
        if (piece.colorNumber < 0 || piece.colorNumber >= kOpenCell) continue;
        const auto value = static_cast<std::size_t>(piece.colorNumber);
        if (found[value]) continue;
        found[value] = true;
        entries[value] = labelText(piece);
    }
    return entries;
}

}  // namespace

bool CTrianzoidView::endSolutionRecord(OutputFile& file) {
    if (file.endRecord()) return true;
    // The first failed write ends the search as an interrupt does: the files end at the last whole
    // solution, and the driver says what happened.
    m_bWriteFailed = true;
    ViewMode = kInterruptRequested;
    return false;
}

void CTrianzoidView::RecordSolution(int n) {
    n = std::clamp(n, 0, static_cast<int>(m_state.chosenPlacement.size()));
    std::span<const int> chosen(m_state.chosenPlacement.data(), static_cast<std::size_t>(n));
    std::vector<int> whole;
    if (!m_placementOrigin.empty()) {
        for (int j : chosen) whole.push_back(m_placementOrigin[static_cast<std::size_t>(j)]);
        chosen = whole;
    }
    if (m_bCanonicalTest && !m_classCounter.canonicalTiling(chosen)) return;
    // While all solutions have as many placements, the display finds each at a computed offset.
    m_bEqualSolutionLengths =
        m_state.solutionCount == 0 || (m_bEqualSolutionLengths && n == m_nSolutionPieces);
    m_nSolutionPieces = n;
    m_classCounter.add(chosen);
    auto recordAt = [this](int depth) -> const PlacementRecord& {
        return m_table
            .records[static_cast<std::size_t>(m_state.chosenPlacement[static_cast<std::size_t>(depth)])];
    };

    if (!m_bLetterSolution) {
        DrawingSurface& dc = m_platform.clientSurface();
        // Cells that earlier drawing left covered are opened first, so that the screen and the log show
        // this solution's pieces alone; those it leaves open are drawn open again after its pieces.
        const std::vector<CellPos> earlier = forgetCoveredCells();
        std::vector<std::int32_t> values;
        values.reserve(1 + 4 * static_cast<std::size_t>(n));
        values.push_back(n);
        for (int i = 0; i < n; ++i) {
            const PlacementRecord& r = recordAt(i);
            const Piece& piece = m_doc.m_pieces[static_cast<std::size_t>(r.piece)];
            DrawPiece(dc, piece, r.orientation, piece.colorNumber, r.anchorX, r.anchorY);
            values.insert(values.end(), {r.piece, r.orientation, r.anchorX, r.anchorY});
        }
        for (const CellPos& cell : earlier)
            if (m_doc.cell(cell.x, cell.y) == kOpenCell) DrawCell(dc, cell.x, cell.y, kOpenCell);
        m_solutionFile.writeInt32s(values);
        if (!endSolutionRecord(m_solutionFile)) return;
    } else {
        // Which piece slots the solution uses, as the bits of a signed 64-bit number (slot 63 makes it
        // negative), and one letter per Placement in depth order: 'A' for slot 0, 'B' for slot 1, ...
        std::uint64_t used = 0;
        std::string letters;
        for (int i = 0; i < n; ++i) {
            const int p = recordAt(i).piece;
            used |= std::uint64_t{1} << p;
            letters += static_cast<char>(65 + p);
        }
        m_logFile.writeText(std::to_string(static_cast<std::int64_t>(used)) + " " + letters + "\r\n");
        if (!endSolutionRecord(m_logFile)) return;
    }

    ++m_state.solutionCount;
    const std::string count = std::to_string(m_state.solutionCount);
    const std::string found =
        "Oplossing " + count + " na " + formatDuration(static_cast<long>(m_clock.now() - searchStartTime));
    ShowStatus(found);
    if (m_bLetterSolution) return;

    if (m_bSound) m_platform.beep(BeepSound::Default);

    // The picture of the solution as the Board's cells now hold it: the drawing above stored the
    // colour numbers of this solution's pieces and nothing else.
    const auto entries = gridEntries(m_doc);
    // Written straight into the text: a cell is at most two characters and a space, and there are many
    // thousands of solutions a second.
    std::string block = "Oplossing " + count + "\r\n\r\n";
    const auto rows = static_cast<std::size_t>(std::max(m_nSearchHeight, 0));
    const auto columns = static_cast<std::size_t>(std::max(m_nSearchRowLength, 0));
    std::size_t at = block.size();
    block.resize(at + rows * (3 * columns + 2) + 2);
    char* text = block.data();
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t col = 0; col < columns; ++col) {
            const std::uint8_t value = m_doc.cell(static_cast<int>(col), static_cast<int>(row));
            const std::string_view entry =
                value >= kOpenCell ? std::string_view("  ") : std::string_view(entries[value]);
            for (std::size_t k = 0; k < entry.size() && k < 2; ++k) text[at++] = entry[k];
            text[at++] = ' ';
        }
        text[at++] = '\r';
        text[at++] = '\n';
    }
    text[at++] = '\r';
    text[at++] = '\n';
    block.resize(at);
    m_logFile.writeText(block);
    if (!endSolutionRecord(m_logFile)) return;

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
