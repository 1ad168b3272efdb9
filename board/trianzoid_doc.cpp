#include "board/trianzoid_doc.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "pieces/piece_file_reader.h"
#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

// Whether `path` is a regular file that can be read; a pipe or a device named by a document is not
// opened at all (opening a pipe waits for a writer).
bool canOpen(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// A path written on another system: with backslashes or a drive letter.
bool isForeignPath(const std::string& path) {
    return path.find('\\') != std::string::npos ||
           (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])));
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The file `name` in `folder`, also when its case differs (documents from systems that ignore case).
std::optional<std::string> findInFolder(const fs::path& folder, const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (canOpen((folder / name).string())) return (folder / name).string();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (equalIgnoringCase(it->path().filename().string(), name) && canOpen(it->path().string()))
            return it->path().string();
    }
    return std::nullopt;
}

}  // namespace

void CTrianzoidDoc::ResetBoard() {
    Board::ResetBoard();
    m_szPieceFile.clear();
    m_nPieces = 0;
    m_nPieceTriangles = 0;
}

void CTrianzoidDoc::reloadPieceFile(const std::string& documentPath, Platform& platform) {
    if (m_szPieceFile.empty()) return;
    const std::string stored = m_szPieceFile;
    std::string path = stored;
    if (!canOpen(stored) && (fs::path(stored).is_relative() || isForeignPath(stored))) {
        const fs::path folder = fs::path(documentPath).parent_path();
        const auto slash = stored.find_last_of("/\\");
        const std::string name = slash == std::string::npos ? stored : stored.substr(slash + 1);
        if (!isForeignPath(stored) && canOpen((folder / stored).string())) {
            path = (folder / stored).string();
        } else if (auto found = findInFolder(folder.empty() ? fs::path(".") : folder, name)) {
            path = *found;
        }
    }
    if (!canOpen(path)) {
        // Reported as the reader reports a file it cannot open, without letting it try: the path may
        // name a pipe or a device. The count stored in the document describes pieces that are not in
        // the slots, so there are none.
        platform.messageBox("Bestand " + path + " is er niet", "Oei", MessageButtons::Ok,
                            MessageIcon::Exclamation);
        m_nPieces = 0;
        m_nPieceTriangles = 0;
        return;
    }
    ReadPieceFile(*this, path, platform);
}
