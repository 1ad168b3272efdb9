#include "tests/fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "pieces/piece_file_reader.h"

namespace fuzzing {

namespace {

struct OwnedWorkspace {
    Workspace w;
    OwnedWorkspace() {
        std::string pattern = (std::filesystem::temp_directory_path() / "trianzoid-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) fail("no temporary folder");
        w.folder = pattern;
        w.pieceFile = w.folder + "/stukken.tzp";
        w.documentPath = w.folder + "/veld.trz";
        std::ofstream(w.pieceFile, std::ios::binary) << kPieceFileText;
        HeadlessPlatform platform;
        ReadPieceFile(w.pieces, w.pieceFile, platform);
        check(w.pieces.m_nPieces == 4 && platform.messages.empty(), "the fixed piece file reads");
    }
    ~OwnedWorkspace() {
        std::error_code ignored;
        std::filesystem::remove_all(w.folder, ignored);
    }
};

}  // namespace

Workspace& workspace() {
    static OwnedWorkspace owned;
    return owned.w;
}

void interruptAfter(HeadlessPlatform& platform, CTrianzoidView& view, int pumps) {
    platform.onPump = [&view, pumps, seen = 0](long) mutable {
        if (view.ViewMode == kSearching && ++seen >= pumps) view.ViewMode = kInterruptRequested;
    };
}

void checkAfterSearch(const CTrianzoidView& view, const CTrianzoidDoc& doc, const PieceSet& before) {
    check(view.ViewMode == kEditing, "the search ends in editing mode");
    for (int col = 0; col < doc.rowLength(); ++col)
        for (int row = 0; row < doc.m_nHeight; ++row)
            check(doc.cell(col, row) >= kOpenCell, "no covered cell is left after a search");
    for (std::size_t p = 0; p < doc.m_pieces.size(); ++p)
        check(doc.m_pieces[p].copies == before.m_pieces[p].copies, "copies are back at their start values");
}

void fixedBoard(Board& board) {
    board.ResetBoard();
    for (int col = 0; col < 15; col += 3)
        board.cell(col, 7 - col / 3) = static_cast<std::uint8_t>(kFirstBlockedCell + col % 5);
    board.cell(7, 3) = kFirstBlockedCell + 2;
}

std::string writeFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = workspace().folder + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) fail("cannot write a file into the workspace");
    if (size > 0 && std::fwrite(data, 1, size, file) != size) fail("short write into the workspace");
    std::fclose(file);
    return path;
}

}  // namespace fuzzing
