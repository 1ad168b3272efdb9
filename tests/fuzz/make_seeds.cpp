// Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/<target>/: the bundled example
// documents and piece files, a few documents and piece files made here, and solution files of real
// searches with the fixed piece set. Small files only; run it again when the examples change.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <tuple>

#include "board/document_image.h"
#include "tests/fuzz/fuzz_support.h"

namespace fs = std::filesystem;

namespace {

const fs::path kCorpus = fs::path(TRIANZOID_SOURCE_DIR) / "tests" / "fuzz" / "corpus";
constexpr std::uintmax_t kLargestSeed = 8192;

void writeSeed(const std::string& target, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(kCorpus / target);
    std::ofstream(kCorpus / target / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A document followed by the byte that steers the document target.
std::vector<std::uint8_t> steered(const CTrianzoidDoc& doc, std::uint8_t steer) {
    auto image = documentImage(doc);
    image.push_back(steer);
    return image;
}

void documentSeeds() {
    CTrianzoidDoc doc;
    writeSeed("fuzz_document", "new.trz", documentImage(doc));
    doc.m_szPieceFile = "stukken.tzp";
    writeSeed("fuzz_document", "new-reload.trz", steered(doc, 0x31));

    CTrianzoidDoc largest;
    largest.m_nWidth = 30;
    largest.m_nHeight = 30;
    writeSeed("fuzz_document", "largest-open.trz", steered(largest, 0x71));

    CTrianzoidDoc small;
    small.m_nWidth = 3;
    small.m_nHeight = 6;
    small.cell(0, 0) = 65;
    small.cell(4, 5) = 69;
    small.cell(2, 2) = 3;  // saved while a solution was shown
    small.m_szPieceFile = "C:\\PUZZELS\\STUKKEN.TZP";
    small.m_nPieces = 4;
    small.m_nPieceTriangles = 23;
    writeSeed("fuzz_document", "small-foreign-path.trz", steered(small, 0x0E));
    writeSeed("fuzz_document", "truncated.trz", {5, 0, 0, 0, 6, 0, 0, 0, 30});

    // Files that are no Board, each refused for one reason: cut short, or one value no Board has.
    auto cut = readAll(fs::path(TRIANZOID_SOURCE_DIR) / "examples" / "hexiamonds-6x6.trz");
    writeSeed("fuzz_document", "refused-cut.trz", {cut.begin(), cut.begin() + 100});
    writeSeed("fuzz_document", "refused-empty.trz", {});
    doc.m_nPieces = 4;
    for (const auto& [name, offset, bytes] :
         std::vector<std::tuple<std::string, int, std::vector<std::uint8_t>>>{
             {"width-31", 0, {31}},
             {"height-0", 4, {0}},
             {"cell-70", 255, {70}},
             {"pieces-65", 2046, {65}},
             {"path-without-nul", 1786, std::vector<std::uint8_t>(260, 'x')},
             {"pieces-without-path", 1786, {0}}}) {
        auto image = steered(doc, 0x31);
        std::copy(bytes.begin(), bytes.end(), image.begin() + offset);
        writeSeed("fuzz_document", "refused-" + name + ".trz", image);
    }
}

void pieceFileSeeds() {
    writeSeed("fuzz_piece_file", "fixed.tzp", bytesOf(fuzzing::kPieceFileText));
    writeSeed("fuzz_piece_file", "crlf-lowercase.tzp", bytesOf("A1   1 4 0r 1o 2l\r\nZ9   2 1"));
    writeSeed("fuzz_piece_file", "incorrect-link.tzp", bytesOf("A1   1 4 0R 2O 2L\n"));
    writeSeed("fuzz_piece_file", "overlapping.tzp",
              bytesOf("X3  -2 3 0R 1R\nY9 1232 9 0O 1R 2O 3L 4O 5R 6O 7L\n"));
    // Pieces whose triangles overlap, never searched: the first, and one after a good line.
    writeSeed("fuzz_piece_file", "overlapping-first.tzp", bytesOf("3A   1 3 0R 0R\n"));
    writeSeed("fuzz_piece_file", "overlapping-second.tzp", bytesOf("A1   1 2 0R\r\nT1   1 4 0R 1O 1O\r\n"));
}

// Solution files of a search on the fixed Board with the fixed piece set, stopped after `pumps`.
void solutionFileSeeds() {
    for (int pumps : {2, 6}) {
        CTrianzoidDoc doc;
        fuzzing::fixedBoard(doc);
        doc.m_pieces = fuzzing::workspace().pieces.m_pieces;
        doc.m_nPieces = 4;
        doc.m_nPieceTriangles = fuzzing::workspace().pieces.m_nPieceTriangles;
        HeadlessPlatform platform;
        fuzzing::StillClock clock;
        CTrianzoidView view(doc, platform, clock);
        view.m_strOutputDir = fuzzing::workspace().folder;
        view.m_nReadiness = view.UpdateReadiness();
        platform.defaultAnswer = MessageAnswer::Yes;
        fuzzing::interruptAfter(platform, view, pumps);
        view.runSearch(false);
        auto bytes = readAll(view.m_szSolutionName);
        std::cout << "search stopped after " << pumps << " pumps: " << view.m_state.solutionCount
                  << " solutions, " << bytes.size() << " bytes\n";
        const auto count = static_cast<std::uint8_t>(std::min<std::int64_t>(view.m_state.solutionCount, 127));
        const auto pieces = static_cast<std::uint8_t>(std::min(view.m_nSolutionPieces, 127));
        auto browse = bytes;
        browse.insert(browse.end(), {count, pieces, 0, 1, 3, 2, 4, 5});
        writeSeed("fuzz_solution_file", "search-" + std::to_string(pumps) + ".opb", browse);
        auto cut = bytes;
        cut.insert(cut.end(), {count, pieces, 1, 3, 6, 0, 1, 7});
        writeSeed("fuzz_solution_file", "search-" + std::to_string(pumps) + "-cut.opb", cut);
    }
}

void exampleSeeds() {
    const fs::path examples = fs::path(TRIANZOID_SOURCE_DIR) / "examples";
    std::error_code error;
    for (fs::directory_iterator it(examples, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        if (!it->is_regular_file() || it->file_size() > kLargestSeed) continue;
        const std::string name = "example-" + path.filename().string();
        if (path.extension() == ".tzp") writeSeed("fuzz_piece_file", name, readAll(path));
        if (path.extension() == ".trz") {
            auto bytes = readAll(path);
            bytes.resize(kDocumentImageSize, 0);
            bytes.push_back(0x31);
            writeSeed("fuzz_document", name, bytes);
        }
    }
}

}  // namespace

int main() {
    documentSeeds();
    pieceFileSeeds();
    solutionFileSeeds();
    exampleSeeds();
    std::cout << "seeds written to " << kCorpus.string() << "\n";
    return 0;
}
