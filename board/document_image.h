#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CTrianzoidDoc;

// The ".trz" document file: exactly this many bytes, the stored block of the document.
inline constexpr std::size_t kDocumentImageSize = 2054;

// The 2054-byte image of a document.
std::vector<std::uint8_t> documentImage(const CTrianzoidDoc& doc);
// Why `image` is no Board document, in the program's words ("het bestand is te kort (...)"); nothing when
// it is one. Refused: fewer than 2054 bytes, a width outside 3 .. 30, a height outside 1 .. 30, a cell
// above 69, a piece file path without its terminating zero, more than 64 pieces or pieces without a
// path. Bytes beyond 2054 are ignored.
std::optional<std::string> documentImageFault(std::span<const std::uint8_t> image);
// Fills a document from an image that is one (see documentImageFault) and returns true; any other
// image leaves the document as it was and returns false.
[[nodiscard]] bool loadDocumentImage(CTrianzoidDoc& doc, std::span<const std::uint8_t> image);
// The message of a file that is no Board document: "Bestand x.trz is geen trianzoidveld: <reden>".
std::string notADocumentText(const std::string& path, const std::string& reason);
