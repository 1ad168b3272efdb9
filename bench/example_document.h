#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "board/document_image.h"
#include "board/trianzoid_doc.h"
#include "platform/headless_platform.h"

// A bundled example's Board and its piece file, read as the program reads them.
inline void loadExample(CTrianzoidDoc& doc, const std::string& name, HeadlessPlatform& platform) {
    const std::string path = std::string(TRIANZOID_EXAMPLES_DIR) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> image(kDocumentImageSize);
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (loadDocumentImage(doc, image)) doc.reloadPieceFile(path, platform);
}
