#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "board/trianzoid_view.h"
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

void CTrianzoidView::RecordSolution(int n) {
    m_nSolutionPieces = n;
    n = std::clamp(n, 0, static_cast<int>(m_state.chosenPlacement.size()));
    auto recordAt = [this](int depth) -> const PlacementRecord& {
        return m_table
            .records[static_cast<std::size_t>(m_state.chosenPlacement[static_cast<std::size_t>(depth)])];
    };

    if (!m_bLetterSolution) {
        DrawingSurface& dc = m_platform.clientSurface();
        m_solutionFile.writeInt32(n);
        for (int i = 0; i < n; ++i) {
            const PlacementRecord& r = recordAt(i);
            const Piece& piece = m_doc.m_pieces[static_cast<std::size_t>(r.piece)];
            DrawPiece(dc, piece, r.orientation, piece.colorNumber, r.anchorX, r.anchorY);
            m_solutionFile.writeInt32(r.piece);
            m_solutionFile.writeInt32(r.orientation);
            m_solutionFile.writeInt32(r.anchorX);
            m_solutionFile.writeInt32(r.anchorY);
        }
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
    }

    ++m_state.solutionCount;
    const std::string count = std::to_string(m_state.solutionCount);
    const std::string found =
        "Oplossing " + count + " na " + formatDuration(static_cast<long>(m_clock.now() - searchStartTime));
    ShowStatus(found);
    if (m_bLetterSolution) return;

    if (m_bSound) m_platform.beep(BeepSound::Default);

    // The picture of the solution as the Board's cells now hold it: the drawing above stored the
    // colour numbers of this solution's pieces.
    const auto entries = gridEntries(m_doc);
    std::string block = "Oplossing " + count + "\r\n\r\n";
    block.reserve(block.size() + static_cast<std::size_t>(m_nSearchHeight) *
                                     (3 * static_cast<std::size_t>(m_nSearchRowLength) + 2) + 2);
    for (int row = 0; row < m_nSearchHeight; ++row) {
        for (int col = 0; col < m_nSearchRowLength; ++col) {
            const std::uint8_t value = m_doc.cell(col, row);
            block += value >= kOpenCell ? std::string_view("  ") : std::string_view(entries[value]);
            block += ' ';
        }
        block += "\r\n";
    }
    block += "\r\n";
    m_logFile.writeText(block);

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
