#include "board/document_image.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "board/trianzoid_doc.h"
#include "platform/little_endian.h"

// Byte layout of the stored block: three int32, the cells column by column, the background as
// red, green, blue, 0, the piece file path (NUL-terminated, 260 bytes), then two int32 at offsets that
// are not multiples of four. Integers are little-endian.
namespace {

constexpr std::size_t kWidthOffset = 0;
constexpr std::size_t kHeightOffset = 4;
constexpr std::size_t kMarginOffset = 8;
constexpr std::size_t kCellsOffset = 12;
constexpr std::size_t kBackgroundOffset = kCellsOffset + BOARD_CELLS;  // 1782
constexpr std::size_t kPathOffset = kBackgroundOffset + 4;             // 1786
constexpr std::size_t kPathSize = 260;
constexpr std::size_t kPiecesOffset = kPathOffset + kPathSize;  // 2046
constexpr std::size_t kTrianglesOffset = kPiecesOffset + 4;     // 2050
static_assert(kTrianglesOffset + 4 == kDocumentImageSize);

void putInt32(std::vector<std::uint8_t>& image, std::size_t offset, std::int32_t value) {
    storeInt32LE(image.data() + offset, value);
}

std::int32_t getInt32(const std::array<std::uint8_t, kDocumentImageSize>& image, std::size_t offset) {
    return loadInt32LE(image.data() + offset);
}

}  // namespace

std::vector<std::uint8_t> documentImage(const CTrianzoidDoc& doc) {
    std::vector<std::uint8_t> image(kDocumentImageSize, 0);
    putInt32(image, kWidthOffset, doc.m_nWidth);
    putInt32(image, kHeightOffset, doc.m_nHeight);
    putInt32(image, kMarginOffset, doc.m_nMargin);
    std::copy(doc.m_cells.begin(), doc.m_cells.end(), image.begin() + kCellsOffset);
    image[kBackgroundOffset] = doc.m_crBackground.r;
    image[kBackgroundOffset + 1] = doc.m_crBackground.g;
    image[kBackgroundOffset + 2] = doc.m_crBackground.b;
    // A path longer than the field cannot be stored whole; the field then gets the file name alone,
    // which opening looks for in the document's folder.
    std::string path = doc.m_szPieceFile;
    if (path.size() > kPathSize - 1) {
        const auto slash = path.find_last_of("/\\");
        path = slash == std::string::npos ? path : path.substr(slash + 1);
        path.resize(std::min(path.size(), kPathSize - 1));
    }
    std::copy(path.begin(), path.end(), image.begin() + static_cast<std::ptrdiff_t>(kPathOffset));
    putInt32(image, kPiecesOffset, doc.m_nPieces);
    putInt32(image, kTrianglesOffset, doc.m_nPieceTriangles);
    return image;
}

void loadDocumentImage(CTrianzoidDoc& doc, std::span<const std::uint8_t> bytes) {
    // Start from the document's current block so that a short file changes only its own length.
    std::vector<std::uint8_t> current = documentImage(doc);
    std::array<std::uint8_t, kDocumentImageSize> image{};
    std::copy(current.begin(), current.end(), image.begin());
    std::copy_n(bytes.begin(), std::min(bytes.size(), kDocumentImageSize), image.begin());

    // The file is untrusted. Values that no editor produces are brought into range here, field by
    // field, so that nothing downstream can index outside the 59 x 30 cells, the 64 piece slots or the
    // 70 palette entries:
    // - width 3 .. 30 and height 1 .. 30 are clamped (an odd height is kept: it is drawn with one row
    //   more, which still fits in 30 rows);
    // - the margin is clamped to 0 .. 400;
    // - a cell value above 69 becomes 64 (open);
    // - the path ends at its first NUL, or after 259 bytes;
    // - the piece count is clamped to 0 .. 64; the pieces themselves are read again from the piece file.
    doc.m_nWidth = std::clamp(getInt32(image, kWidthOffset), 3, BOARD_COLUMNS / 2 + 1);
    doc.m_nHeight = std::clamp(getInt32(image, kHeightOffset), 1, BOARD_ROWS);
    doc.m_nMargin = std::clamp(getInt32(image, kMarginOffset), 0, 400);
    for (std::size_t i = 0; i < BOARD_CELLS; ++i) {
        const std::uint8_t value = image[kCellsOffset + i];
        doc.m_cells[i] = value > kLastBlockedCell ? kOpenCell : value;
    }
    doc.m_crBackground = {image[kBackgroundOffset], image[kBackgroundOffset + 1],
                          image[kBackgroundOffset + 2]};
    const auto* path = reinterpret_cast<const char*>(image.data() + kPathOffset);
    doc.m_szPieceFile.assign(path, strnlen(path, kPathSize - 1));
    doc.m_nPieces = std::clamp(getInt32(image, kPiecesOffset), 0, kMaxPieces);
    doc.m_nPieceTriangles = getInt32(image, kTrianglesOffset);
}
