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

std::optional<std::string> documentImageFault(std::span<const std::uint8_t> image) {
    if (image.size() < kDocumentImageSize)
        return "het bestand is te kort (" + std::to_string(image.size()) + " bytes, een veld heeft er " +
               std::to_string(kDocumentImageSize) + ")";
    const std::int32_t width = loadInt32LE(image.data() + kWidthOffset);
    if (width < 3 || width > BOARD_COLUMNS / 2 + 1)
        return "de breedte " + std::to_string(width) + " ligt niet tussen 3 en " +
               std::to_string(BOARD_COLUMNS / 2 + 1);
    const std::int32_t height = loadInt32LE(image.data() + kHeightOffset);
    if (height < 1 || height > BOARD_ROWS)
        return "het aantal rijen " + std::to_string(height) + " ligt niet tussen 1 en " +
               std::to_string(BOARD_ROWS);
    for (std::size_t i = 0; i < BOARD_CELLS; ++i) {
        const std::uint8_t value = image[kCellsOffset + i];
        if (value > kLastBlockedCell)
            return "vakje " + std::to_string(i / BOARD_ROWS + 1) + " van rij " +
                   std::to_string(i % BOARD_ROWS + 1) + " heeft de waarde " + std::to_string(value) +
                   ", de hoogste is " + std::to_string(kLastBlockedCell);
    }
    const auto path = image.subspan(kPathOffset, kPathSize);
    if (std::find(path.begin(), path.end(), 0) == path.end())
        return "de naam van het trianzoidbestand heeft geen afsluitende nul";
    const std::int32_t pieces = loadInt32LE(image.data() + kPiecesOffset);
    if (pieces > kMaxPieces)
        return "het aantal trianzoids " + std::to_string(pieces) + " is meer dan " +
               std::to_string(kMaxPieces);
    if (pieces > 0 && path.front() == 0)
        return "het aantal trianzoids is " + std::to_string(pieces) + " maar er is geen trianzoidbestand";
    return std::nullopt;
}

std::string notADocumentText(const std::string& path, const std::string& reason) {
    return "Bestand " + path + " is geen trianzoidveld: " + reason;
}

bool loadDocumentImage(CTrianzoidDoc& doc, std::span<const std::uint8_t> image) {
    if (documentImageFault(image)) return false;
    // The image is checked: every value lies where the editor and the piece file reader put them, so
    // nothing downstream indexes outside the 59 x 30 cells, the 64 piece slots or the 70 palette
    // entries. An odd height is kept: it is drawn with one row more, which still fits in 30 rows. The
    // margin, which only places the drawing, is clamped to 0 .. 400; a negative piece count is none.
    doc.m_nWidth = loadInt32LE(image.data() + kWidthOffset);
    doc.m_nHeight = loadInt32LE(image.data() + kHeightOffset);
    doc.m_nMargin = std::clamp(loadInt32LE(image.data() + kMarginOffset), 0, 400);
    std::copy_n(image.begin() + kCellsOffset, BOARD_CELLS, doc.m_cells.begin());
    doc.m_crBackground = {image[kBackgroundOffset], image[kBackgroundOffset + 1],
                          image[kBackgroundOffset + 2]};
    const auto* path = reinterpret_cast<const char*>(image.data() + kPathOffset);
    doc.m_szPieceFile.assign(path, strnlen(path, kPathSize));
    doc.m_nPieces = std::max(loadInt32LE(image.data() + kPiecesOffset), 0);
    doc.m_nPieceTriangles = loadInt32LE(image.data() + kTrianglesOffset);
    return true;
}
