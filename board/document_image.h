#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CTrianzoidDoc;

// The ".trz" document file: exactly this many bytes, the stored block of the document.
inline constexpr std::size_t kDocumentImageSize = 2054;

// The 2054-byte image of a document.
std::vector<std::uint8_t> documentImage(const CTrianzoidDoc& doc);
// Fills a document from an image. A short image fills only its own length from the start and the rest
// keeps its previous values; bytes beyond 2054 are ignored. Values no editor produces are made safe.
void loadDocumentImage(CTrianzoidDoc& doc, std::span<const std::uint8_t> image);
