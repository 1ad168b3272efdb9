#include <filesystem>

#include "board/document_image.h"
#include "pieces/piece_file_reader.h"
#include "view/trianzoid_view.h"

void CTrianzoidView::OpenPieceFile() {
    if (ViewMode != kEditing) return;
    auto path = m_platform.chooseFileToOpen("Openen trianzoidbestand",
                                            {{"Trianzoid (*.tzp)", "*.tzp"}, {"Alle bestanden (*.*)", "*.*"}},
                                            pieceFileFolder());
    if (!path) return;
    m_strLastPieceFile = *path;
    // Another piece file is a change of the document, as a mouse edit is; reading the file again when a
    // document opens is not.
    const auto before = documentImage(m_doc);
    ReadPieceFile(*path);
    markModifiedIfChanged(before);
}

std::string CTrianzoidView::pieceFileFolder() const {
    namespace fs = std::filesystem;
    std::error_code error;
    for (const std::string& file : {m_strDocumentPath, m_strLastPieceFile}) {
        if (file.empty()) continue;
        const fs::path folder = fs::absolute(file, error).lexically_normal().parent_path();
        if (!error && fs::is_directory(folder, error)) return folder.string();
    }
    if (!m_strExamplesFolder.empty() && fs::is_directory(m_strExamplesFolder, error))
        return m_strExamplesFolder;
    return {};
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
