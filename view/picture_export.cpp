#include "view/picture_export.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <span>

#include "platform/headless_platform.h"
#include "solutions/solution_file_index.h"
#include "solutions/solution_records.h"
#include "view/trianzoid_view.h"

namespace {

// One solution of the file at a time, from the start: a count and its records, held in a buffer of
// the largest solution's size.
class SolutionWalk {
  public:
    explicit SolutionWalk(const std::string& path) : m_file(path, std::ios::binary) {
        if (!m_file) return;
        m_file.seekg(0, std::ios::end);
        m_nLength = static_cast<std::int64_t>(m_file.tellg());
        m_file.seekg(0);
    }
    bool opened() const { return static_cast<bool>(m_file) && m_nLength >= 0; }

    // The next complete solution; false at the end of the file or at bytes that are no solution.
    bool next() {
        if (m_nLength - m_nOffset < 4 || !readLittleEndianInt32(m_file, m_nCount)) return false;
        if (m_nCount < 0 || m_nCount > kMaxSolutionPlacements) return false;
        if (m_nLength - m_nOffset - 4 < std::int64_t{16} * m_nCount) return false;
        for (std::int32_t i = 0; i < m_nCount; ++i)
            if (!readPlacementRecord(m_file, m_records[static_cast<std::size_t>(i)])) return false;
        m_nOffset += 4 + std::int64_t{16} * m_nCount;
        return true;
    }
    // Everything was read as solutions.
    bool atEnd() const { return m_nOffset == m_nLength; }
    std::span<const PlacementRecord> records() const {
        return {m_records.data(), static_cast<std::size_t>(m_nCount)};
    }

  private:
    std::ifstream m_file;
    std::int64_t m_nLength = -1;
    std::int64_t m_nOffset = 0;
    std::int32_t m_nCount = 0;
    std::array<PlacementRecord, kMaxSolutionPlacements> m_records{};
};

ExportResult failed(ExportOutcome outcome, const ExportResult& sofar, std::int64_t bad = 0) {
    ExportResult result = sofar;
    result.outcome = outcome;
    result.badSolution = bad;
    return result;
}

}  // namespace

Rect pictureExtent(const Board& board, const CellGeometry& geometry) {
    const int rows = board.m_nHeight % 2 != 0 ? board.m_nHeight + 1 : board.m_nHeight;
    const int margin = board.m_nMargin;
    // The outlines' last pixels lie on the far edges of the last triangles.
    Rect extent{
        0, 0,
        std::max(margin / 2 + board.m_nWidth * geometry.m_nSide + 1,
                 margin + board.m_nWidth * geometry.m_nSide),
        std::max(margin / 2 + rows * geometry.m_nTriHeight + 1, margin + rows * geometry.m_nTriHeight)};
    // As tall as a window must be to draw at this size: the window sizes the triangles by the
    // rounded row height, so a few pixels more may be needed.
    for (int more = 0;
         more < 8 && cellSizeFor(extent, board.m_nWidth, board.m_nHeight, margin).m_nSide < geometry.m_nSide;
         ++more)
        ++extent.bottom;
    return extent;
}

ExportResult exportSolutions(const CTrianzoidDoc& source, const std::string& solutionPath,
                             ExportSettings settings, PictureSink& sink, const ExportProgress& progress) {
    ExportResult result;
    // The view draws into a Board of its own: the window's stays as it is.
    auto doc = std::make_unique<CTrianzoidDoc>(source);
    {
        auto walk = std::make_unique<SolutionWalk>(solutionPath);
        if (!walk->opened()) return failed(ExportOutcome::FileMissing, result);
        while (walk->next()) {
            ++result.solutionsInFile;
            for (const PlacementRecord& r : walk->records())
                if (!placementFitsBoard(*doc, r))
                    return failed(ExportOutcome::PiecesMismatch, result, result.solutionsInFile);
        }
        if (!walk->atEnd()) return failed(ExportOutcome::FileDamaged, result);
    }
    if (result.solutionsInFile == 0) return failed(ExportOutcome::FileEmpty, result);
    if (settings.range.highest() > result.solutionsInFile)
        return failed(ExportOutcome::RangeBeyondCount, result, settings.range.highest());
    const std::int64_t total = settings.range.countOf(result.solutionsInFile);

    HeadlessPlatform platform;
    SystemClock clock;
    CTrianzoidView view(*doc, platform, clock);
    view.ViewMode = kShowingSolutions;
    view.m_bColourSolutions = settings.colour;

    if (!sink.start(total, result.solutionsInFile, *doc)) {
        sink.abandon();
        result.detail = sink.failure;
        return failed(ExportOutcome::WriteFailed, result);
    }
    const Rect area = sink.pictureArea();
    view.m_geometry = cellSizeFor(area, doc->m_nWidth, doc->m_nHeight, doc->m_nMargin);
    // A picture of a chosen width is exactly that wide: the triangles' sides are whole and even, so the
    // Board takes what fits and background fills the rest. With a margin below two pixels the outline's
    // last pixel needs one more.
    const int width = sink.pictureWidth();
    if (width > 0 && pictureExtent(*doc, view.m_geometry).width() > width)
        view.m_geometry = cellSizeFor(Rect{area.left, area.top, area.right - 1, area.bottom}, doc->m_nWidth,
                                      doc->m_nHeight, doc->m_nMargin);
    if (view.m_geometry.m_nSide < 2) {
        sink.abandon();
        return failed(ExportOutcome::PictureTooSmall, result);
    }
    Rect extent = pictureExtent(*doc, view.m_geometry);
    if (width > 0) extent.right = extent.left + width;
    const Rgb background = settings.colour ? doc->m_crBackground : kWhite;

    auto walk = std::make_unique<SolutionWalk>(solutionPath);
    for (std::int64_t number = 1; walk->next(); ++number) {
        if (!settings.range.containsNext(number)) continue;
        DrawingSurface* surface = sink.beginPicture(number, extent);
        if (surface != nullptr) {
            surface->fillRect(extent, background);
            for (const PlacementRecord& r : walk->records()) {
                // Checked above; the file may have changed since.
                if (!placementFitsBoard(*doc, r)) continue;
                const Piece& piece = doc->m_pieces[static_cast<std::size_t>(r.piece)];
                sink.beginPiece(labelText(piece));
                view.DrawPiece(*surface, piece, r.orientation, piece.colorNumber, r.anchorX, r.anchorY);
                sink.endPiece();
            }
            doc->ClearPieceCells();
        }
        if (surface == nullptr || !sink.endPicture()) {
            sink.abandon();
            result.detail = sink.failure;
            return failed(ExportOutcome::WriteFailed, result);
        }
        ++result.written;
        if (progress && !progress(result.written, total)) {
            sink.abandon();
            return failed(ExportOutcome::Cancelled, result);
        }
        if (result.written == total) break;
    }
    if (result.written < total) {
        // The file was cut short after it was checked.
        sink.abandon();
        return failed(ExportOutcome::FileDamaged, result);
    }
    if (!sink.finish()) {
        sink.abandon();
        result.detail = sink.failure;
        return failed(ExportOutcome::WriteFailed, result);
    }
    return result;
}

std::string exportErrorText(const ExportResult& result, const std::string& solutionPath) {
    switch (result.outcome) {
        case ExportOutcome::Done:
        case ExportOutcome::Cancelled:
            return {};
        case ExportOutcome::FileMissing:
            return "Oplossingenbestand " + solutionPath + " is er niet";
        case ExportOutcome::FileEmpty:
            return "Oplossingenbestand " + solutionPath +
                   " bevat geen oplossingen (een letteroplossing schrijft er geen)";
        case ExportOutcome::FileDamaged:
            return "Oplossingenbestand " + solutionPath + " is beschadigd: na oplossing " +
                   std::to_string(result.solutionsInFile) + " volgt iets dat geen oplossing is";
        case ExportOutcome::PiecesMismatch:
            return "Oplossing " + std::to_string(result.badSolution) + " in " + solutionPath +
                   " past niet bij dit veld en deze trianzoids";
        case ExportOutcome::RangeBeyondCount:
            return "Oplossing " + std::to_string(result.badSolution) + " bestaat niet: " + solutionPath +
                   " bevat er " + std::to_string(result.solutionsInFile);
        case ExportOutcome::PictureTooSmall:
            return "De afmeting is te klein voor dit veld";
        case ExportOutcome::WriteFailed:
            return result.detail;
    }
    return {};
}
