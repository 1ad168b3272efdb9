#include "pieces/piece_file_reader.h"
#include "view/trianzoid_view.h"

void CTrianzoidView::OpenPieceFile() {
    if (ViewMode != kEditing) return;
    auto path = m_platform.chooseFileToOpen(
        "Openen trianzoidbestand", {{"Trianzoid (*.tzp)", "*.tzp"}, {"Alle bestanden (*.*)", "*.*"}});
    if (path) ReadPieceFile(*path);
}

void CTrianzoidView::ReadPieceFile(const std::string& path) {
    ::ReadPieceFile(m_doc, path, m_platform);
    refreshReadiness();
    m_platform.invalidateView();
}

void CTrianzoidView::OnInitialUpdate(const std::string& documentPath) {
    m_doc.reloadPieceFile(documentPath, m_platform);
    refreshReadiness();
}
