#include "board/document_image.h"
#include "pieces/piece_file_reader.h"
#include "view/trianzoid_view.h"

void CTrianzoidView::OpenPieceFile() {
    if (ViewMode != kEditing) return;
    auto path = m_platform.chooseFileToOpen(
        "Openen trianzoidbestand", {{"Trianzoid (*.tzp)", "*.tzp"}, {"Alle bestanden (*.*)", "*.*"}});
    if (!path) return;
    // Another piece file is a change of the document, as a mouse edit is; reading the file again when a
    // document opens is not.
    const auto before = documentImage(m_doc);
    ReadPieceFile(*path);
    markModifiedIfChanged(before);
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
