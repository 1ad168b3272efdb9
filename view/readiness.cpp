#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "view/trianzoid_view.h"

void CTrianzoidView::ShowStatus(const std::string& text) {
    m_platform.setPaneText(0, text);
}

void CTrianzoidView::ShowParity(int n) {
    m_platform.setPaneText(1, "Par. = " + std::to_string(n));
}

int CTrianzoidView::UpdateReadiness() {
    std::string text;
    const OpenCellCount open = m_doc.CountOpenCells();
    const int result = readiness(&text);
    ShowStatus(text);
    ShowParity(std::abs(open.down - open.up));
    return result;
}

int CTrianzoidView::currentReadiness() const {
    return readiness(nullptr);
}

CTrianzoidView::ReadinessReport CTrianzoidView::readinessReport() const {
    ReadinessReport report;
    report.value = readiness(&report.text, &report.cellsLeft);
    return report;
}

int CTrianzoidView::readiness(std::string* status, std::int64_t* cellsLeft) const {
    const OpenCellCount open = m_doc.CountOpenCells();
    const int parity = std::abs(open.down - open.up);

    // Triangles of the piece set as it stands now (the pieces dialog may have changed the copies).
    std::int64_t triangles = 0;
    if (m_doc.m_nPieceTriangles != 0 && m_doc.m_nPieces >= 1) {
        for (int p = 0; p < m_doc.m_nPieces && p < kMaxPieces; ++p) {
            const Piece& piece = m_doc.m_pieces[static_cast<std::size_t>(p)];
            triangles += std::int64_t{piece.copies} * piece.triangleCount;
        }
    }

    std::string text;
    int result = parity;
    const std::string fault = pieceFault();
    if (triangles == 0) {
        text = "Aantal beschikbare driehoeken: " + std::to_string(open.total);
        result = -1;
    } else {
        const std::int64_t left = open.total - triangles;
        if (cellsLeft) *cellsLeft = left;
        if (left == 0) {
            text = "Zoeken kan starten";
        } else if (left == 1) {
            text = "Nog 1 driehoek over";
        } else if (left > 1) {
            text = "Nog " + std::to_string(left) + " driehoeken over";
        } else if (left == -1) {
            text = "1 driehoek te weinig";
        } else {
            text = std::to_string(-left) + " driehoeken te weinig";
        }
        // A piece the search would refuse: the status says why, whatever the count.
        if (!fault.empty()) text = fault;
    }
    if (status) *status = text;
    return result;
}

std::string CTrianzoidView::pieceFault() const {
    for (int p = 0; p < std::clamp(static_cast<int>(m_doc.m_nPieces), 0, kMaxPieces); ++p) {
        const Piece& piece = m_doc.m_pieces[static_cast<std::size_t>(p)];
        if (piece.copies > 0 && trianglesOverlap(piece))
            return "Trianzoid " + labelText(piece) + " (regel " + std::to_string(pieceLine(m_doc, p)) +
                   ") heeft driehoekjes op dezelfde plaats";
    }
    return {};
}

void CTrianzoidView::refreshReadiness() {
    if (ViewMode == kEditing) m_nReadiness = UpdateReadiness();
}
